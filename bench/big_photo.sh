#!/usr/bin/env bash
# A 24-megapixel JPEG: Qt's decode, `skinmaker-cli build` (the photo with its default crop, the same
# with a stretch region, a grainy photo) and choose-to-crop-shown in the header page, medians of
# REPS runs of one bench_big_photo_bench run, each as a multiple of its photo's decode. With
# BASELINE_CLI=<an older skinmaker-cli> the builds run with that program too and its ratios are
# printed beside the new ones.
# Goals: the photo's build within 1.0x the decode, with a stretch region within 0.6x, the grainy
# photo's within 1.5x, the crop control within 1.2x. The ratios move with the machine's load: give
# the load beside them.
# SKIN_BENCH_PHOTO=<file> measures that JPEG (generated there first when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
cmake --build "$BUILD_DIR" --target bench_big_photo_bench -j2 >/dev/null
json=$(mktemp)
trap 'rm -f "$json"' EXIT
filter='BM_QtDecode|BM_CliBuild|BM_ChooseToCrop|BM_BaselineBuild'
[ -n "${BASELINE_CLI:-}" ] || filter='BM_QtDecode|BM_CliBuild|BM_ChooseToCrop'
SKIN_BENCH_BASELINE_CLI="${BASELINE_CLI:-}" "$BUILD_DIR/bench/bench_big_photo_bench" --benchmark_format=json \
  --benchmark_repetitions="${REPS:-5}" --benchmark_report_aggregates_only=true \
  --benchmark_filter="$filter" >"$json"
python3 - "$json" <<'PY'
import json, sys
runs = {b["run_name"].replace("/real_time", ""): b["real_time"] for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median" and not b.get("error_occurred")}
decode = runs["BM_QtDecode/0"]
print(f"Qt decode: photo                   {decode:7.0f} ms")
print(f"Qt decode: grainy photo            {runs['BM_QtDecode/1']:7.0f} ms")
for case, label, goal in (("0", "build: photo, default crop", 1.0), ("1", "build: photo, stretch region", 0.6),
                          ("2", "build: grainy photo", 1.5)):
    decode = runs["BM_QtDecode/1" if case == "2" else "BM_QtDecode/0"]
    new = runs[f"BM_CliBuild/{case}"]
    line = f"{label:34} {new:7.0f} ms  {new / decode:.2f}x the decode"
    old = runs.get(f"BM_BaselineBuild/{case}")
    if old is not None:
        line += f"   (before: {old:5.0f} ms  {old / decode:.2f}x)"
    if goal:
        line += f"  goal {goal}x"
    print(line)
decode = runs["BM_QtDecode/0"]
crop = runs["BM_ChooseToCrop"]
print(f"{'choose to crop shown':34} {crop:7.0f} ms  {crop / decode:.2f}x the decode  goal 1.2x")
PY
