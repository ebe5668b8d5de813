#!/usr/bin/env bash
# Configures and builds into BUILD_DIR (default build/). SANITIZE=1 builds with ASan+UBSan.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR=${BUILD_DIR:-build}
ARGS=(-G Ninja)
if [ "${SANITIZE:-0}" = "1" ]; then
  ARGS+=(-DSKIN_SANITIZE=ON -DCMAKE_BUILD_TYPE=Debug -DSKIN_BENCH=OFF "-DCMAKE_CXX_FLAGS_DEBUG=-O1 -g")
fi
cmake -S . -B "$BUILD_DIR" "${ARGS[@]}" >/dev/null
cmake --build "$BUILD_DIR" -j"$(nproc)"
