#!/usr/bin/env bash
# The wizard under a Wayland compositor: weston's headless backend with its own runtime folder and
# socket. The wizard's own test (test_flashui, OnWayland.*) runs there: a package with a control,
# the control playing, the control gallery, a dialog. Then the program itself opens a package and
# ends on SIGTERM with nothing left in its working folder.
# Usage: check_wayland.sh BUILD_DIR SAMPLE_PICTURE CONTROL.swf
# Exit 77 (skipped) only when weston cannot start on this machine at all. SKIN_WAYLAND_SHOTS=DIR
# keeps a screenshot of the wizard playing the control there.
set -u
build=$1
command -v weston >/dev/null || { echo "weston is not installed (scripts/deps.sh)"; exit 77; }
[ -f "$build/flashplayer/ruffle.js" ] || { echo "the flash player is not installed (scripts/deps.sh)"; exit 77; }
work=$(mktemp -d)
compositor=""
wizard=""
cleanup() {
  [ -n "$wizard" ] && kill "$wizard" 2>/dev/null && wait "$wizard" 2>/dev/null
  [ -n "$compositor" ] && kill "$compositor" 2>/dev/null && wait "$compositor" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT
mkdir -m 0700 "$work/runtime" "$work/tmp" "$work/run-tmp" "$work/home"
socket="skinmaker-test-$$"
XDG_RUNTIME_DIR="$work/runtime" weston --backend=headless-backend.so --use-pixman --socket="$socket" \
  --width=1280 --height=900 --idle-time=0 --debug >"$work/weston.log" 2>&1 &
compositor=$!
for _ in $(seq 100); do
  [ -S "$work/runtime/$socket" ] && break
  kill -0 "$compositor" 2>/dev/null || break
  sleep 0.1
done
if [ ! -S "$work/runtime/$socket" ]; then
  echo "weston could not start here:"
  tail -20 "$work/weston.log"
  exit 77
fi
export XDG_RUNTIME_DIR="$work/runtime" WAYLAND_DISPLAY="$socket" QT_QPA_PLATFORM=wayland
unset DISPLAY QT_XCB_GL_INTEGRATION

# The wizard's classes, driven from the test.
shots=${SKIN_WAYLAND_SHOTS:-$work/shots}
mkdir -p "$shots"
SKIN_WAYLAND_SHOTS=$shots TMPDIR="$work/tmp" HOME="$work/home" \
  "$build/tests/test_flashui" --gtest_filter='OnWayland.*' >"$work/test.log" 2>&1
status=$?
cat "$work/test.log"
[ $status -eq 0 ] || exit 1
grep -q '^\[  PASSED  \] 1 test' "$work/test.log" || { echo "the Wayland test did not run"; exit 1; }

# The program itself: opens a package, then SIGTERM ends it cleanly. (In the AddressSanitizer
# build the web engine's own code trips one check, as test_flashui says; it is off here too.)
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}new_delete_type_mismatch=0"
"$build/skinmaker-cli" build -o "$work/control.vsf" --picture "$2" --name control --control "lefttop=$3" \
  >/dev/null || exit 1
TMPDIR="$work/run-tmp" HOME="$work/home" "$build/skinmaker" "$work/control.vsf" >"$work/wizard.log" 2>&1 &
wizard=$!
unpacked="$work/run-tmp/skinmaker-$(id -u)/VadiTempSkinPack/control.vsf/topleft.swf"
for _ in $(seq 600); do
  [ -f "$unpacked" ] && break
  kill -0 "$wizard" 2>/dev/null || { echo "the wizard ended:"; cat "$work/wizard.log"; exit 1; }
  sleep 0.1
done
[ -f "$unpacked" ] || { echo "the wizard did not open the package"; cat "$work/wizard.log"; exit 1; }
kill -TERM "$wizard"
wait "$wizard"
status=$?
wizard=""
[ $status -eq 0 ] || { echo "the wizard ended with $status on SIGTERM:"; cat "$work/wizard.log"; exit 1; }
left=$(find "$work/run-tmp" -type f)
[ -z "$left" ] || { echo "left behind: $left"; exit 1; }
# Run as root, the engine's sandbox is off and Chromium says so; nothing else is to be printed.
grep -v '^Sandboxing disabled by user\.$' "$work/wizard.log" >"$work/wizard-problems.log"
if [ -s "$work/wizard-problems.log" ]; then
  echo "the wizard printed:"
  cat "$work/wizard.log"
  exit 1
fi
echo "the wizard runs on Wayland"
