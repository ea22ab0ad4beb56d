#!/usr/bin/env bash
# Builds everything and runs every test under Wine. Exit status is ctest's.
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
bash scripts/setup.sh
# The build fetches the QR library's sources; that fetch is tried first against a fake archive.
bash scripts/tests/fetch-qrencode-test.sh
bash scripts/build.sh
# shellcheck source=/dev/null
source scripts/archcheck.sh
if [ "$KORVELTA_TEST_BITS" = 64 ]; then
  # This machine cannot run 32-bit code: the tests run as 64-bit programs of the same sources.
  echo "test.sh: no 32-bit support on this machine; testing a 64-bit build in $BUILD_DIR/x64"
  KORVELTA_THIRD_PARTY="$BUILD_DIR/third_party" BUILD_DIR="$BUILD_DIR/x64" BUILD_BITS=64 bash scripts/build.sh
  BUILD_DIR="$BUILD_DIR/x64"
fi
# The import tests compare with workbooks that the npm package xlsx writes.
if [ ! -d "$BUILD_DIR/npm/node_modules/xlsx" ]; then
  npm install --silent --no-audit --no-fund --prefix "$BUILD_DIR/npm" xlsx@0.18.5 >/dev/null
fi
# shellcheck source=/dev/null
source scripts/xvfb.sh
# shellcheck source=/dev/null
source scripts/wineenv.sh "$BUILD_DIR"
status=0
(cd "$BUILD_DIR" && ctest --output-on-failure -j "${CTEST_JOBS:-4}" "$@") || status=$?
# The wineserver would outlive the display it was started with.
wineserver -k >/dev/null 2>&1 </dev/null || true
[ -n "${KORVELTA_XVFB_PID:-}" ] && kill "$KORVELTA_XVFB_PID" 2>/dev/null || true
exit $status
