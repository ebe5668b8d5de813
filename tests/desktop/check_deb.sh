#!/usr/bin/env bash
# Builds the .deb with CPack from the build folder, into a scratch folder, and lets lintian judge
# it: any error fails. Also checks what the package must hold and must not.
# Usage: check_deb.sh BUILD_DIR
set -euo pipefail
build=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$scratch" >"$scratch/cpack.log" 2>&1 ||
  { cat "$scratch/cpack.log"; exit 1; }
deb=$(find "$scratch" -maxdepth 1 -name 'skinmaker_*.deb' | head -n 1)
[ -n "$deb" ] || { echo "cpack made no .deb"; cat "$scratch/cpack.log"; exit 1; }
echo "package: $(basename "$deb")"

contents=$(dpkg-deb -c "$deb" | awk '{print $6}')
bin=$(printf '%s\n' "$contents" | grep '^\./usr/bin/.' | sort)
[ "$bin" = "$(printf './usr/bin/skinmaker\n./usr/bin/skinmaker-cli')" ] ||
  { echo "usr/bin holds more than the two programs:"; echo "$bin"; exit 1; }
for f in ./usr/share/doc/skinmaker/copyright ./usr/share/doc/skinmaker/changelog.Debian.gz \
  ./usr/share/man/man1/skinmaker.1.gz ./usr/share/skinmaker/flashplayer/ruffle.js \
  ./usr/share/icons/hicolor/scalable/apps/org.skinmaker.skinmaker.svg; do
  printf '%s\n' "$contents" | grep -qx "$f" || { echo "not in the package: $f"; exit 1; }
done

lintian --fail-on error --tag-display-limit 0 "$deb"
echo "lintian passed"
