#!/usr/bin/env bash
# The test command: installs what is missing, builds, runs every test.
# Exits non-zero on any failure. SANITIZE=1 uses a separate ASan+UBSan build (build-asan/).
set -euo pipefail
cd "$(dirname "$0")"
scripts/deps.sh
if [ "${SANITIZE:-0}" = "1" ]; then
  export BUILD_DIR=${BUILD_DIR:-build-asan}
  export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=1}
  export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
else
  export BUILD_DIR=${BUILD_DIR:-build}
fi
scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$BUILD_DIR" --output-on-failure -j"$(nproc)"
