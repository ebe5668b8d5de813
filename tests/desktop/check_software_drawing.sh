#!/usr/bin/env bash
# The wizard on an X server with a package whose flash control plays at once: the web engine
# starts, yet no OpenGL library is loaded into the wizard, and the engine's helpers do not inherit
# the setting that keeps it out.
# Usage: check_software_drawing.sh BUILD_DIR SAMPLE_PICTURE CONTROL.swf   (run under xvfb-run)
set -u
build=$1
[ -f "$build/flashplayer/ruffle.js" ] || { echo "the flash player is not installed (scripts/deps.sh)"; exit 77; }
work=$(mktemp -d)
trap 'kill "$wizard" 2>/dev/null; wait "$wizard" 2>/dev/null; rm -rf "$work"' EXIT
"$build/skinmaker-cli" build -o "$work/control.vsf" --picture "$2" --name control --control "lefttop=$3" >/dev/null ||
  exit 1
env -u QT_XCB_GL_INTEGRATION -u QT_QUICK_BACKEND QT_QPA_PLATFORM=xcb HOME="$work" "$build/skinmaker" \
  "$work/control.vsf" >"$work/log" 2>&1 &
wizard=$!
helper=""
for _ in $(seq 600); do
  helper=$(pgrep -P "$wizard" -f -- '--type=' | head -1)
  [ -n "$helper" ] && break
  kill -0 "$wizard" 2>/dev/null || { echo "the wizard ended:"; cat "$work/log"; exit 1; }
  sleep 0.1
done
[ -n "$helper" ] || { echo "the web engine did not start"; exit 1; }
sleep 2
kill -0 "$wizard" 2>/dev/null || { echo "the wizard ended:"; cat "$work/log"; exit 1; }
if grep -E 'libGLX_mesa|_dri\.so|libLLVM' "/proc/$wizard/maps" | head -3 | grep .; then
  echo "OpenGL is loaded into the wizard"
  exit 1
fi
if tr '\0' '\n' <"/proc/$helper/environ" | grep -q '^QT_XCB_GL_INTEGRATION='; then
  echo "the engine's helpers inherited QT_XCB_GL_INTEGRATION"
  exit 1
fi
echo "no OpenGL in the wizard"
