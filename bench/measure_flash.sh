#!/usr/bin/env bash
# The flash controls' costs under Xvfb, before and after side by side in one run:
# - the wizard's start (bench/wizard_start.sh), BASELINE's program and ours;
# - the first control in the wizard's preview from being chosen to its first frame, made on first
#   need ("cold", as before) and with the stage made ahead of need, beside a second control, and
#   the longest stall of the user-interface thread meanwhile;
# - 1, 4 and 20 sample movies (COUNTS) in one stage page: first-frame time, memory (PSS) and CPU of
#   all the program's processes over SECONDS_PER_RUN, then the CPU with the movies hidden and with
#   the whole view hidden.
# BASELINE=DIR (an older build folder, e.g. main's) also runs the movies with that build's engine
# module and stage page, and its wizard's start, and ends with the movie runs' CPU and PSS before
# beside after. SHOT=file.png saves a screenshot of the 4-movie run.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
BASELINE=${BASELINE:-}
cmake --build "$BUILD_DIR" --target flash_measure skinmaker -j2 >/dev/null
xvfb() { xvfb-run -a -s '-screen 0 1280x900x24' "$@" 2>/dev/null; }

if [ -n "$BASELINE" ]; then
  echo "== wizard start: before ($BASELINE), after ($BUILD_DIR)"
  WIZARD_DISPLAY=:96 bench/wizard_start.sh "$BASELINE/skinmaker"
fi
WIZARD_DISPLAY=:96 bench/wizard_start.sh "$BUILD_DIR/skinmaker"

echo "== first control"
xvfb "$BUILD_DIR/bench/flash_measure" first cold
xvfb "$BUILD_DIR/bench/flash_measure" first prepared

# "CPU x %, PSS y MiB" of one run's output.
figures() {
  sed -n 's/.*PSS \([0-9.]*\) MiB.*CPU \([0-9.]*\) %.*/CPU \2 %, PSS \1 MiB/p' <<<"$1" | head -1
}
summary=()
for n in ${COUNTS:-1 4 20}; do
  shot=()
  if [ "$n" = 4 ] && [ -n "${SHOT:-}" ]; then shot=("$SHOT"); fi
  before=""
  if [ -n "$BASELINE" ]; then
    echo "== $n movies: before, then after"
    before=$(LD_LIBRARY_PATH="$BASELINE" xvfb "$BUILD_DIR/bench/flash_measure" "$n" "${SECONDS_PER_RUN:-10}")
    echo "$before"
  else
    echo "== $n movies"
  fi
  after=$(xvfb "$BUILD_DIR/bench/flash_measure" "$n" "${SECONDS_PER_RUN:-10}" "${shot[@]}")
  echo "$after"
  if [ -n "$BASELINE" ]; then
    summary+=("$n movies playing: before $(figures "$before")  |  after $(figures "$after")")
  fi
done
if [ ${#summary[@]} -gt 0 ]; then
  echo "== before ($BASELINE) beside after ($BUILD_DIR)"
  printf '%s\n' "${summary[@]}"
fi
