#!/usr/bin/env bash
# Takes the screenshots software centres show, from the real programs under Xvfb: the wizard's
# first step with the sample picture opened, and the skin viewer on the sample skin.
# Usage: scripts/screenshots.sh [BUILD_DIR [OUT_DIR]]   (defaults: build, BUILD_DIR/screenshots)
set -euo pipefail
cd "$(dirname "$0")/.."
build=$(cd "${1:-build}" && pwd)
out=${2:-$build/screenshots}
mkdir -p "$out"
out=$(cd "$out" && pwd)
for tool in xvfb-run xwininfo import; do
  command -v "$tool" >/dev/null || { echo "$tool is missing (scripts/deps.sh installs it)"; exit 1; }
done


# shoot TITLE PNG COMMAND...: runs COMMAND, waits (at most 60 s) until a viewable window whose
# title holds TITLE is up, lets it paint, saves that window as PNG and ends COMMAND.
shoot() {
  local title=$1 png=$2 id="" pid
  shift 2
  "$@" >/dev/null 2>&1 &
  pid=$!
  for _ in $(seq 600); do
    # The program's top-level window, the one that carries its class as well as the title.
    id=$(xwininfo -root -tree | grep -F "$title" | grep -F '("skinmaker"' | awk '{print $1}' || true)
    if [ -n "$id" ] && xwininfo -id "$id" | grep -q IsViewable; then
      break
    fi
    id=""
    sleep 0.1
  done
  if [ -z "$id" ]; then
    kill "$pid" 2>/dev/null
    echo "no window titled like \"$title\" came up"
    return 1
  fi
  sleep 2 # the first paint and the picture's loading
  import -window "$id" "$png"
  kill "$pid"
  wait "$pid" 2>/dev/null || true
  echo "$png"
}
if [ -z "${SKIN_SCREENSHOTS_ON_XVFB:-}" ]; then
  # Again, this time on its own X server.
  SKIN_SCREENSHOTS_ON_XVFB=1 exec xvfb-run -a -s "-screen 0 1280x900x24" "$0" "$build" "$out"
fi
package=$out/sample.vsf
"$build/skinmaker-cli" build -o "$package" --picture res/sample/sample.jpg --name "示例皮肤" \
  --crop 0,180,1600,319 --stretch 300,180,900,319 --color "#2E7BCF" --white-tabs --force >/dev/null
shoot "皮肤制作工具" "$out/wizard.png" "$build/skinmaker" res/sample/sample.jpg
shoot "皮肤预览" "$out/viewer.png" "$build/skinmaker" --view "$package"
