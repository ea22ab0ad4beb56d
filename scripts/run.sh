#!/usr/bin/env bash
# Sets up a fresh Debian machine, builds, and starts KORVELTA-PRINT under Wine
# (under a private Xvfb when there is no display).
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
bash scripts/setup.sh
bash scripts/build.sh
# shellcheck source=/dev/null
source scripts/archcheck.sh
if [ "$KORVELTA_TEST_BITS" = 64 ]; then
  # No 32-bit support on this machine: run the 64-bit build of the same sources.
  KORVELTA_THIRD_PARTY="$BUILD_DIR/third_party" BUILD_DIR="$BUILD_DIR/x64" BUILD_BITS=64 bash scripts/build.sh
  BUILD_DIR="$BUILD_DIR/x64"
fi
# shellcheck source=/dev/null
source scripts/xvfb.sh
# shellcheck source=/dev/null
source scripts/wineenv.sh "$BUILD_DIR"
status=0
wine "$BUILD_DIR/ui/KORVELTA-PRINT.exe" "$@" || status=$?
# The wineserver would outlive the display it was started with.
wineserver -k >/dev/null 2>&1 </dev/null || true
[ -n "${KORVELTA_XVFB_PID:-}" ] && kill "$KORVELTA_XVFB_PID" 2>/dev/null || true
echo "KORVELTA-PRINT exited with status $status"
exit $status
