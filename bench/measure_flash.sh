#!/usr/bin/env bash
# Plays 1, 4 and 20 sample movies under Xvfb and prints, for each, the time from opening a movie
# to its first frame and the memory (PSS) and CPU of all the program's processes over SECONDS.
# SHOT=file.png also saves a screenshot of the 4-movie run.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
cmake --build "$BUILD_DIR" --target flash_measure -j2 >/dev/null
for n in 1 4 20; do
  shot=()
  if [ "$n" = 4 ] && [ -n "${SHOT:-}" ]; then shot=("$SHOT"); fi
  xvfb-run -a -s '-screen 0 1280x900x24' "$BUILD_DIR/bench/flash_measure" "$n" "${SECONDS_PER_RUN:-10}" \
    "${shot[@]}" 2>/dev/null
done
