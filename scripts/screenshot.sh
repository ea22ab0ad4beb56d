#!/usr/bin/env bash
# Starts KORVELTA-PRINT under Wine (on a private Xvfb when there is no display), waits for its main
# window, saves a PNG of the whole screen and closes the program again.
#   scripts/screenshot.sh [out.png] [program arguments...]
#   scripts/screenshot.sh --grid out.png      the grid control's demo program instead
#   scripts/screenshot.sh --project out.png   only the window of a new project (template tabs with
#                                             the canvas between its rulers over the sheet preview,
#                                             and the table tabs), at a size where all of it shows
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
MODE=program
if [ "${1:-}" = "--grid" ]; then
  MODE=grid
  shift
elif [ "${1:-}" = "--project" ]; then
  MODE=project
  shift
fi
OUT="${1:-$BUILD_DIR/screenshot.png}"
shift || true
# ImageMagick takes the picture, xwininfo finds the window.
KORVELTA_EXTRA_PACKAGES="${KORVELTA_EXTRA_PACKAGES:-} imagemagick x11-utils" bash scripts/setup.sh
# shellcheck source=/dev/null
source scripts/archcheck.sh
if [ "$KORVELTA_TEST_BITS" = 64 ]; then
  # No 32-bit support on this machine: picture the 64-bit build of the same sources.
  export KORVELTA_THIRD_PARTY="$BUILD_DIR/third_party" BUILD_BITS=64
  BUILD_DIR="$BUILD_DIR/x64"
fi
if [ ! -f "$BUILD_DIR/ui/KORVELTA-PRINT.exe" ]; then
  BUILD_DIR="$BUILD_DIR" bash scripts/build.sh
else
  cmake --build "$BUILD_DIR" --target KORVELTA-PRINT >/dev/null
fi
# shellcheck source=/dev/null
source scripts/xvfb.sh
# shellcheck source=/dev/null
source scripts/wineenv.sh "$BUILD_DIR"

if [ "$MODE" = grid ]; then
  cmake --build "$BUILD_DIR" --target grid_demo >/dev/null
  wine "$BUILD_DIR/bench/grid_demo.exe" /quit 30000 >/dev/null 2>&1 </dev/null &
  program=$!
  for _ in $(seq 1 300); do
    xwininfo -root -tree 2>/dev/null | grep -q '"Grid demo"' && break
    sleep 0.1
  done
  sleep 2
  mkdir -p "$(dirname "$OUT")"
  import -window root "$OUT"
  echo "saved $OUT"
  kill "$program" 2>/dev/null || true
  wineserver -k >/dev/null 2>&1 </dev/null || true
  [ -n "${KORVELTA_XVFB_PID:-}" ] && kill "$KORVELTA_XVFB_PID" 2>/dev/null || true
  exit 0
fi
wine "$BUILD_DIR/ui/KORVELTA-PRINT.exe" "$@" >/dev/null 2>&1 </dev/null &
program=$!
found=""
for _ in $(seq 1 300); do
  # The main frame's caption is "KORVELTA-PRINT - <project>"; the splash is "About KORVELTA-PRINT".
  if xwininfo -root -tree 2>/dev/null | grep -q '"KORVELTA-PRINT - '; then
    found=yes
    break
  fi
  sleep 0.1
done
status=0
if [ -n "$found" ]; then
  # Start-up ends when the splash (shown after the main window) has come and gone; then the
  # first idle update fills the bars.
  splash() { xwininfo -root -tree 2>/dev/null | grep -q '"About KORVELTA-PRINT"'; }
  for _ in $(seq 1 30); do splash && break; sleep 0.1; done
  for _ in $(seq 1 100); do splash || break; sleep 0.1; done
  sleep 1
  mkdir -p "$(dirname "$OUT")"
  if [ "$MODE" = project ]; then
    # The main window alone, which holds the new project's window.
    id=$(xwininfo -root -tree 2>/dev/null | grep '"KORVELTA-PRINT - ' | head -1 | awk '{print $1}')
    import -window "$id" "$OUT"
  else
    import -window root "$OUT"
  fi
  echo "saved $OUT"
else
  echo "the main window did not appear" >&2
  status=1
fi
# Close the program the way a user would (WM_CLOSE to its windows), then make sure nothing is
# left behind.
wine taskkill /im KORVELTA-PRINT.exe >/dev/null 2>&1 </dev/null || true
for _ in $(seq 1 50); do
  kill -0 "$program" 2>/dev/null || break
  sleep 0.1
done
kill "$program" 2>/dev/null || true
wineserver -k >/dev/null 2>&1 </dev/null || true
[ -n "${KORVELTA_XVFB_PID:-}" ] && kill "$KORVELTA_XVFB_PID" 2>/dev/null || true
exit $status
