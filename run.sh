#!/usr/bin/env bash
# The run command: installs what is missing, builds, and opens the wizard.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
export BUILD_DIR=${BUILD_DIR:-build}
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset), so the wizard cannot open here."
  echo "Building the sample skin from res/sample/sample.jpg with skinmaker-cli instead."
  package="$BUILD_DIR/sample-skin.vsf"
  "$BUILD_DIR/skinmaker-cli" build -o "$package" --picture res/sample/sample.jpg \
    --name "示例皮肤" --crop 0,180,1600,319 --stretch 300,180,900,319 --color "#2E7BCF" --white-tabs \
    --force >/dev/null
  echo "The sample skin package is at: $(cd "$(dirname "$package")" && pwd)/$(basename "$package")"
  echo "Inspect it with: $BUILD_DIR/skinmaker-cli info $package"
  echo "To open the wizard, run ./run.sh in a desktop session, or under Xvfb:"
  echo "  xvfb-run -s '-screen 0 1280x900x24' ./run.sh"
  exit 0
fi
exec "$BUILD_DIR/skinmaker" "$@"
