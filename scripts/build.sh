#!/usr/bin/env bash
# Configures and builds everything into ${BUILD_DIR:-build}.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
bash scripts/fetch-qrencode.sh "$BUILD_DIR/third_party"
# Configuring every time picks up folders that appeared since the last run (a second or two).
cmake -S . -B "$BUILD_DIR" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/cmake/toolchain-mingw32.cmake" \
  -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Release}" \
  -DQRENCODE_SOURCE_DIR="$PWD/$BUILD_DIR/third_party/qrencode" >/dev/null
cmake --build "$BUILD_DIR" -j "$(nproc)"
