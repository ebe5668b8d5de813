#!/usr/bin/env bash
# Makes sure the Debian packages the project needs are installed.
# As root it installs what is missing; otherwise it prints the one apt-get line to run.
set -euo pipefail

PACKAGES=(
  cmake ninja-build g++ ccache pkg-config
  qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev
  zlib1g-dev libdeflate-dev libjpeg62-turbo-dev libgtest-dev libgmock-dev libbenchmark-dev
  fonts-noto-cjk
  xvfb xauth imagemagick x11-utils
  zip unzip p7zip-full libarchive-tools python3
  clang libclang-rt-14-dev
  qt6-webengine-dev qt6-webchannel-dev liblzma-dev
  qt6-translations-l10n desktop-file-utils libxml2-utils shared-mime-info xdg-utils libglib2.0-bin dpkg-dev
  appstream man-db lintian
  # lupdate and lrelease, and their CMake set-up, for the English translation.
  qt6-l10n-tools qt6-tools-dev
  # Try now starts the (Windows) player under Wine; the tests build a stand-in player with mingw.
  wine wine64 g++-mingw-w64-x86-64
  # The Wayland platform plugin, and a headless compositor for the Wayland desktop test.
  qt6-wayland weston
)
# npm installs the flash player; Debian's npm only where the machine has none.
if ! command -v npm >/dev/null; then
  PACKAGES+=(npm)
fi

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

# The flash player, pinned in package-lock.json, from the npm registry into node_modules/.
install_player() {
  local wanted
  wanted=$(sed -n 's/.*"@ruffle-rs\/ruffle": "\(.*\)".*/\1/p' package.json)
  if [ -f node_modules/@ruffle-rs/ruffle/package.json ] &&
    grep -q "\"version\":\"$wanted\"" node_modules/@ruffle-rs/ruffle/package.json; then
    return 0
  fi
  echo "Installing the flash player ($wanted) with npm ci"
  npm ci --no-audit --no-fund --loglevel=error
}

cd "$(dirname "$0")/.."
if [ ${#missing[@]} -eq 0 ]; then
  install_player
  exit 0
fi

if [ "$(id -u)" -eq 0 ]; then
  echo "Installing: ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq || true
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
  install_player
else
  echo "These Debian packages are missing. Please run:"
  echo
  echo "  sudo apt-get install -y --no-install-recommends ${missing[*]}"
  echo
  exit 1
fi
