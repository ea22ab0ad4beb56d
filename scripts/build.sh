#!/usr/bin/env bash
# Configures and builds everything into ${BUILD_DIR:-build}: 32-bit Windows programs, or with
# BUILD_BITS=64 the same sources for 64-bit Windows (tests on machines without 32-bit support).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
toolchain=cmake/toolchain-mingw32.cmake
[ "${BUILD_BITS:-32}" = 64 ] && toolchain=cmake/toolchain-mingw64.cmake
third_party="${KORVELTA_THIRD_PARTY:-$BUILD_DIR/third_party}"
bash scripts/fetch-qrencode.sh "$third_party"
# Configuring every time picks up folders that appeared since the last run (a second or two).
cmake -S . -B "$BUILD_DIR" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$PWD/$toolchain" \
  -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Release}" \
  -DQRENCODE_SOURCE_DIR="$(cd "$third_party" && pwd)/qrencode" -Wno-dev >/dev/null
cmake --build "$BUILD_DIR" -j "${KORVELTA_JOBS:-$(nproc)}"
