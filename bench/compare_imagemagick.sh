#!/usr/bin/env bash
# Times ResampleBitmap against ImageMagick's Hermite resize on the same pixels, one thread each:
#   a 6000 x 4000 photo to 700 x 467 and a 1400 x 122 strip to 700 x 61.
# Usage: bench/compare_imagemagick.sh [build-dir]   (default build/; needs bench_resample_bench)
# ImageMagick reads its pixels from an MPC file (memory-mapped, no decoding); its time for only
# reading and discarding that file is measured too and subtracted. Both sides report CPU time
# (user + system) per resize, and wall-clock time for reference.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${1:-build}
BENCH="$BUILD_DIR/bench/bench_resample_bench"
[ -x "$BENCH" ] || { echo "missing $BENCH: build the project first" >&2; exit 1; }
command -v convert >/dev/null || { echo "ImageMagick's convert is not installed" >&2; exit 1; }

WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT

# Same pixels for both: noise over a gradient, written once as BMP (ours) and MPC (ImageMagick).
make_picture() { # name width height
    convert -size "$2x$3" gradient:'#203040-#e0c0a0' \( -size "$2x$3" xc:gray +noise Random \) \
        -compose blend -define compose:args=35 -composite -depth 8 -type TrueColor \
        "BMP3:$WORK/$1.bmp"
    convert "$WORK/$1.bmp" "$WORK/$1.mpc"
}
make_picture photo 6000 4000
make_picture strip 1400 122

# CPU seconds per iteration of an ImageMagick command line, from its -bench report
# ("Performance[1]: <n>i <ips> <eff>e <user>u <elapsed>").
im_cpu() { # iterations args...
    local n=$1
    shift
    convert -limit thread 1 "$@" 2>&1 | awk -v n="$n" '/Performance\[1\]/ {
        for (i = 1; i <= NF; i++) if ($i ~ /u$/) { sub(/u$/, "", $i); u = $i }
        split($NF, t, ":"); wall = t[1] * 60 + t[2]
        printf "%.3f %.3f\n", u * 1000 / n, wall * 1000 / n }'
}

im_case() { # name target iterations
    local read resize
    read=$(im_cpu "$3" "$WORK/$1.mpc" -bench "$3" null:)
    resize=$(im_cpu "$3" "$WORK/$1.mpc" -bench "$3" -filter Hermite -resize "$2!" null:)
    echo "$read $resize"
}

echo "ImageMagick: $(convert -version | head -1)"
PHOTO_IM=$(im_case photo 700x467 5)
STRIP_IM=$(im_case strip 700x61 200)

JSON="$WORK/ours.json"
SKIN_BENCH_PHOTO="$WORK/photo.bmp" SKIN_BENCH_STRIP="$WORK/strip.bmp" \
    "$BENCH" --benchmark_filter='^Resample/(Photo_6000x4000_to_700x467|Strip_1400x122_to_700x61)$' \
    --benchmark_repetitions=5 --benchmark_report_aggregates_only=true \
    --benchmark_format=json >"$JSON" 2>/dev/null

python3 - "$JSON" "$PHOTO_IM" "$STRIP_IM" <<'PY'
import json, sys
runs = json.load(open(sys.argv[1]))["benchmarks"]
def ours(name):
    r = [b for b in runs if b["run_name"].endswith(name) and b.get("aggregate_name") == "median"][0]
    scale = {"ms": 1.0, "us": 1e-3, "ns": 1e-6}[r["time_unit"]]
    return r["cpu_time"] * scale, r["real_time"] * scale
print(f"{'case':34} {'ours cpu':>9} {'ours wall':>9} {'IM cpu':>9} {'IM wall':>9} {'IM/ours':>8}")
for label, name, im in (("6000x4000 -> 700x467", "Photo_6000x4000_to_700x467", sys.argv[2]),
                        ("1400x122 -> 700x61", "Strip_1400x122_to_700x61", sys.argv[3])):
    read_cpu, read_wall, total_cpu, total_wall = map(float, im.split())
    im_cpu, im_wall = total_cpu - read_cpu, total_wall - read_wall
    cpu, wall = ours(name)
    print(f"{label:34} {cpu:8.2f}ms {wall:8.2f}ms {im_cpu:8.2f}ms {im_wall:8.2f}ms {im_cpu / cpu:7.1f}x")
print("(ImageMagick figures are net of reading its input; its CPU clock ticks in 10 ms steps,")
print(" so its per-resize figures are averages over many iterations.)")
PY
