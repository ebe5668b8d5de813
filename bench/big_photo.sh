#!/usr/bin/env bash
# A 24-megapixel JPEG: Qt's decode, `skinmaker-cli build` (the photo with its default crop, the same
# with a stretch region, a grainy photo) and choose-to-crop-shown in the header page, medians of
# REPS runs of one bench_big_photo_bench run, each as a multiple of its photo's decode. With
# BASELINE_CLI=<an older skinmaker-cli> the builds run with that program too and its ratios are
# printed beside the new ones.
# Each ratio is taken per repetition against Qt's decode measured in the same iterations (with the
# clock paused), so that both see the same load; the median of those is printed.
# Goals: the photo's build within 1.0x the decode, with a stretch region within 0.6x, the grainy
# photo's within 1.5x, the crop control within 1.2x.
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
  --benchmark_repetitions="${REPS:-5}" --benchmark_filter="$filter" >"$json"
python3 - "$json" <<'PY'
import json, statistics, sys
runs = {}
for b in json.load(open(sys.argv[1]))["benchmarks"]:
    if b.get("run_type") == "iteration" and not b.get("error_occurred"):
        runs.setdefault(b["run_name"].replace("/real_time", ""), []).append(b)
def median(name, key="real_time"):
    return statistics.median(b[key] for b in runs[name])
def ratio(name):  # each repetition against the decode measured beside it, then the median
    return statistics.median(b["real_time"] / b["decode_ms"] for b in runs[name])
print(f"Qt decode: photo                   {median('BM_QtDecode/0'):7.0f} ms")
print(f"Qt decode: grainy photo            {median('BM_QtDecode/1'):7.0f} ms")
for case, label, goal in (("0", "build: photo, default crop", 1.0), ("1", "build: photo, stretch region", 0.6),
                          ("2", "build: grainy photo", 1.5)):
    name = f"BM_CliBuild/{case}"
    line = f"{label:34} {median(name):7.0f} ms  {ratio(name):.2f}x the decode beside it"
    old = f"BM_BaselineBuild/{case}"
    if old in runs:
        line += f"   (before: {median(old):5.0f} ms  {ratio(old):.2f}x)"
    line += f"  goal {goal}x"
    print(line)
crop = "BM_ChooseToCrop"
spread = sorted(b["real_time"] / b["decode_ms"] for b in runs[crop])
print(f"{'choose to crop shown':34} {median(crop):7.0f} ms  {ratio(crop):.2f}x the decode beside it  goal 1.2x"
      f"  (repetitions {spread[0]:.2f}x..{spread[-1]:.2f}x)")
PY
