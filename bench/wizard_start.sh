#!/usr/bin/env bash
# Time from starting the wizard to its window being mapped on a private Xvfb display, median of
# RUNS starts. `bench/wizard_start.sh [PROGRAM]` (default build/skinmaker).
set -euo pipefail
cd "$(dirname "$0")/.."
PROGRAM=${1:-build/skinmaker}
RUNS=${RUNS:-9}
export DISPLAY=${WIZARD_DISPLAY:-:97}
Xvfb "$DISPLAY" -screen 0 1280x900x24 >/dev/null 2>&1 &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null' EXIT
for _ in $(seq 200); do xwininfo -root >/dev/null 2>&1 && break; sleep 0.05; done
times=()
for _ in $(seq "$RUNS"); do
  start=$(date +%s%N)
  "$PROGRAM" >/dev/null 2>&1 &
  pid=$!
  until xwininfo -root -tree 2>/dev/null | grep -q '皮肤制作工具'; do
    kill -0 "$pid" 2>/dev/null || { echo "$PROGRAM ended without showing its window" >&2; exit 1; }
    sleep 0.005
  done
  times+=($((($(date +%s%N) - start) / 1000000)))
  kill "$pid"
  wait "$pid" 2>/dev/null || true
done
printf '%s\n' "${times[@]}" | sort -n | awk '{a[NR]=$1} END {printf "wizard start: median %d ms of %d (min %d, max %d)\n", a[int((NR+1)/2)], NR, a[1], a[NR]}'
