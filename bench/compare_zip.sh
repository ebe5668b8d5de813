#!/usr/bin/env bash
# Packs the same files with ZipPackFiles, Info-ZIP `zip -8 -X` and raw zlib level 8 in one run
# and prints how the packer compares. Goal: not slower than zip -8, within 10 % of raw zlib.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
cmake --build "$BUILD_DIR" --target bench_zip_bench -j2 >/dev/null
json=$(mktemp)
trap 'rm -f "$json"' EXIT
nice "$BUILD_DIR/bench/bench_zip_bench" --benchmark_format=json --benchmark_repetitions="${REPS:-3}" \
  --benchmark_report_aggregates_only=true >"$json"
python3 - "$json" <<'PY'
import json, sys
runs = {b["run_name"].split("/")[0]: b for b in json.load(open(sys.argv[1]))["benchmarks"] if b.get("aggregate_name") == "median"}
def ms(name):
    return runs[name]["real_time"]
for case in ("PackSkin", "Pack50MB"):
    ours, infozip, zlib = (ms(f"BM_{case}_{who}") for who in ("ZipPackFiles", "InfoZip8", "RawZlib8"))
    size = runs[f"BM_{case}_ZipPackFiles"].get("archive_bytes", 0)
    izsize = runs[f"BM_{case}_InfoZip8"].get("archive_bytes", 0)
    print(f"{case}: ZipPackFiles {ours:.2f} ms ({size:.0f} B), zip -8 -X {infozip:.2f} ms ({izsize:.0f} B), "
          f"raw zlib 8 {zlib:.2f} ms")
    print(f"  vs zip -8: {ours / infozip:.2f}x the time; vs raw zlib: {100 * (ours / zlib - 1):+.1f} %")
print(f"UnpackSkin: UnzipAll {ms('BM_UnpackSkin_UnzipAll'):.2f} ms")
PY
