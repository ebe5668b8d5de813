#!/usr/bin/env bash
# A 24-megapixel JPEG: Qt's decode, `skinmaker-cli build` and choose-to-crop-shown in the header
# page, medians of REPS runs of one bench_big_photo_bench run, and each as a multiple of the decode.
# Goals: the build within 1.3x the decode, the crop control within 1.5x.
# SKIN_BENCH_PHOTO=<file> measures that JPEG (generated there first when missing).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
cmake --build "$BUILD_DIR" --target bench_big_photo_bench -j2 >/dev/null
json=$(mktemp)
trap 'rm -f "$json"' EXIT
"$BUILD_DIR/bench/bench_big_photo_bench" --benchmark_format=json --benchmark_repetitions="${REPS:-5}" \
  --benchmark_report_aggregates_only=true >"$json"
python3 - "$json" <<'PY'
import json, sys
runs = {b["run_name"].split("/")[0]: b["real_time"] for b in json.load(open(sys.argv[1]))["benchmarks"]
        if b.get("aggregate_name") == "median"}
decode = runs["BM_QtDecode"]
print(f"Qt decode             {decode:7.0f} ms")
for name, label, goal in (("BM_CliBuild", "skinmaker-cli build", 1.3), ("BM_ChooseToCrop", "choose to crop shown", 1.5)):
    print(f"{label:21} {runs[name]:7.0f} ms  {runs[name] / decode:.2f}x the decode (goal {goal}x)")
PY
