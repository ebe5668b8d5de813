#!/usr/bin/env bash
# The run command: installs what is missing, builds, and opens the wizard.
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
export BUILD_DIR=${BUILD_DIR:-build}
scripts/build.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  echo "No display found (DISPLAY and WAYLAND_DISPLAY are unset), so the wizard cannot open here."
  echo "Run ./run.sh in a desktop session, or under Xvfb: xvfb-run -s '-screen 0 1280x900x24' ./run.sh"
  exit 0
fi
exec "$BUILD_DIR/skinmaker" "$@"
