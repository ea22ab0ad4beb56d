#!/usr/bin/env bash
# Starts KORVELTA-PRINT under Wine (on a private Xvfb when there is no display), waits for its main
# window, saves a PNG of the whole screen and closes the program again.
#   scripts/screenshot.sh [out.png] [program arguments...]
#   scripts/screenshot.sh --grid out.png      the grid control's demo program instead
#   scripts/screenshot.sh --dialog out-dir [names...]   one picture per dialog: lock unlock qrtext linkimage
#                                             about (the default set), sequence repeat filter
#                                             textimport textimport:N (table dialogs, page N)
#                                             selectlabel guide (label selection, template guide)
#   scripts/screenshot.sh --scenario folder   a first session with real input, a PNG per step and
#                                             the printed page (scripts/scenario.sh)
#   scripts/screenshot.sh --ribbon outdir     the main window's ribbon: Home at full width and
#                                             narrow, the Table category, and Home's key tips
#   scripts/screenshot.sh --project out.png   only the window of a new project (template tabs with
#                                             the canvas between its rulers over the sheet preview,
#                                             and the table tabs), at a size where all of it shows
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
MODE=program
if [ "${1:-}" = "--grid" ] || [ "${1:-}" = "--scenario" ]; then
  MODE="${1#--}"
  shift
elif [ "${1:-}" = "--dialog" ]; then
  MODE=dialog
  shift
elif [ "${1:-}" = "--ribbon" ]; then
  MODE=ribbon
  shift
elif [ "${1:-}" = "--project" ]; then
  MODE=project
  shift
fi
OUT="${1:-$BUILD_DIR/screenshot.png}"
shift || true
# ImageMagick takes the picture, xwininfo finds the window.
KORVELTA_EXTRA_PACKAGES="${KORVELTA_EXTRA_PACKAGES:-} imagemagick x11-utils xdotool ghostscript" bash scripts/setup.sh
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

if [ "$MODE" = dialog ]; then
  cmake --build "$BUILD_DIR" --target dialog_gallery tabledialogs_gallery labeldialogs_demo >/dev/null
  mkdir -p "$OUT"
  names=("$@")
  [ ${#names[@]} -eq 0 ] && names=(lock unlock qrtext about)
  status=0
  for name in "${names[@]}"; do
    gallery=dialog_gallery
    case "$name" in
      lock) caption="Lock document" ;;
      unlock) caption="Unlock document" ;;
      qrtext) caption="Constant text for QR Code" ;;
      about) caption="About KORVELTA-PRINT" ;;
      linkimage) caption="Link image" ;;
      sequence) caption="Sequence"; gallery=tabledialogs_gallery ;;
      repeat) caption="Repeat"; gallery=tabledialogs_gallery ;;
      filter) caption="Filter"; gallery=tabledialogs_gallery ;;
      textimport*) caption="Text import"; gallery=tabledialogs_gallery ;;
      selectlabel) caption="Select label"; gallery=labeldialogs_demo ;;
      guide) caption="Template guide"; gallery=labeldialogs_demo ;;
      *) echo "unknown dialog $name" >&2; status=2; continue ;;
    esac
    # These two galleries take how long to stay open.
    if [ "$gallery" != dialog_gallery ]; then
      wine "$BUILD_DIR/bench/$gallery.exe" "$name" 30000 >/dev/null 2>&1 </dev/null &
    else
      wine "$BUILD_DIR/bench/$gallery.exe" "$name" >/dev/null 2>&1 </dev/null &
    fi
    program=$!
    found=""
    for _ in $(seq 1 300); do
      xwininfo -root -tree 2>/dev/null | grep -q "\"$caption" && found=yes && break
      sleep 0.1
    done
    sleep 1
    file="$OUT/${name//:/-}.png"
    if [ -n "$found" ]; then
      import -window root "$file"
      echo "saved $file"
    else
      echo "the dialog $name did not appear" >&2
      status=1
    fi
    wine taskkill /im "$gallery.exe" >/dev/null 2>&1 </dev/null || true
    for _ in $(seq 1 30); do kill -0 "$program" 2>/dev/null || break; sleep 0.1; done
    kill "$program" 2>/dev/null || true
  done
  wineserver -k >/dev/null 2>&1 </dev/null || true
  [ -n "${KORVELTA_XVFB_PID:-}" ] && kill "$KORVELTA_XVFB_PID" 2>/dev/null || true
  exit "$status"
fi
if [ "$MODE" = scenario ]; then
  status=0
  # shellcheck source=/dev/null
  ( source scripts/scenario.sh "$OUT" ) || status=$?
  wineserver -k >/dev/null 2>&1 </dev/null || true
  [ -n "${KORVELTA_XVFB_PID:-}" ] && kill "$KORVELTA_XVFB_PID" 2>/dev/null || true
  exit "$status"
fi
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
# The frame's remembered placement and ribbon category (the profile the program reads at start).
WORKSPACE='HKCU\Software\QUENDRIC\KORVELTA-PRINT\Workspace'
remember() {   # left top right bottom category
  local names=(MainWindowLeft MainWindowTop MainWindowRight MainWindowBottom RibbonActiveCategory) i=0
  for value in "$@"; do
    wine reg add "$WORKSPACE" /v "${names[$i]}" /t REG_DWORD /d "$value" /f >/dev/null 2>&1 </dev/null
    i=$((i + 1))
  done
  wine reg add "$WORKSPACE" /v MainWindowMaximized /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null
  wine reg add "$WORKSPACE" /v RibbonMinimized /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null
}
if [ "$MODE" = ribbon ]; then
  mkdir -p "$OUT"
  shots=(
    "home-wide 0 0 1280 760 0 -"
    "home-narrow 0 0 620 700 0 -"
    "table-wide 0 0 1280 760 4 -"
    "table-narrow 0 0 420 700 4 -"
    "home-keytips 0 0 1280 760 0 alt,h"
  )
  status=0
  for shot in "${shots[@]}"; do
    read -r name left top right bottom category keys <<<"$shot"
    remember "$left" "$top" "$right" "$bottom" "$category"
    wine "$BUILD_DIR/ui/KORVELTA-PRINT.exe" >/dev/null 2>&1 </dev/null &
    program=$!
    up=""
    for _ in $(seq 1 300); do
      xwininfo -root -tree 2>/dev/null | grep -q '"KORVELTA-PRINT - ' && up=yes && break
      sleep 0.1
    done
    if [ -z "$up" ]; then
      echo "the main window did not appear" >&2
      status=1
    else
      splash() { xwininfo -root -tree 2>/dev/null | grep -q '"About KORVELTA-PRINT"'; }
      for _ in $(seq 1 30); do splash && break; sleep 0.1; done
      for _ in $(seq 1 100); do splash || break; sleep 0.1; done
      sleep 1
      if [ "$keys" != - ]; then
        # Alt alone shows the tabs' key tips; the letters after it walk into a category.
        window=$(xdotool search --name '^KORVELTA-PRINT - ' 2>/dev/null | head -1 || true)
        [ -n "$window" ] && xdotool windowfocus "$window" 2>/dev/null || true
        IFS=, read -r -a presses <<<"$keys"
        for press in "${presses[@]}"; do
          xdotool key "$press"
          sleep 0.4
        done
        sleep 0.5
      fi
      crop="$((right - left))x$((bottom - top))+$left+$top"
      import -window root -crop "$crop" "$OUT/$name.png"
      echo "saved $OUT/$name.png"
    fi
    wine taskkill /im KORVELTA-PRINT.exe >/dev/null 2>&1 </dev/null || true
    for _ in $(seq 1 50); do
      kill -0 "$program" 2>/dev/null || break
      sleep 0.1
    done
    kill "$program" 2>/dev/null || true
  done
  wineserver -k >/dev/null 2>&1 </dev/null || true
  [ -n "${KORVELTA_XVFB_PID:-}" ] && kill "$KORVELTA_XVFB_PID" 2>/dev/null || true
  exit $status
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
