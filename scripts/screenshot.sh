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
#   scripts/screenshot.sh --sessions folder [parts...]   short sessions with real input that try
#                                             what was mended, each into folder/<part>: tables (typing
#                                             through a filter, open cell edits), saves (Save label,
#                                             replacing a file, Save As a template), barcodes (text
#                                             Code 39 cannot take, printed and decoded), focus
#                                             (keys after dialogs; the ribbon after a close)
#                                             (scripts/scenario_<part>.sh)
#   scripts/screenshot.sh --ribbon outdir     the main window's ribbon: Home at full width and
#                                             narrow, the Table category, Home's key tips, the
#                                             application menu open (Alt, F) with New's drop-down
#                                             (Right) and Print's (W), the design canvas's context
#                                             menu with its pictures, and two projects' document tabs
#   scripts/screenshot.sh --project out.png   only the window of a new project (template tabs with
#                                             the canvas between its rulers over the sheet preview,
#                                             and the table tabs), at a size where all of it shows
#   scripts/screenshot.sh --printing out.png  the "Printing" window over the program's frame during a
#                                             long job (6,000 labels printed from an opened project)
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD_DIR="${BUILD_DIR:-build}"
MODE=program
if [ "${1:-}" = "--grid" ] || [ "${1:-}" = "--scenario" ] || [ "${1:-}" = "--sessions" ]; then
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
elif [ "${1:-}" = "--printing" ]; then
  MODE=printing
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

# Whether the window tree has a line matching the pattern (a caption in double quotes). xwininfo
# prints a caption with a character outside ASCII (the sign after "QR Code") only under a locale it can set,
# and the Wine environment's may not be installed.
shown() { LC_ALL=C.UTF-8 xwininfo -root -tree 2>/dev/null | grep -q "$1"; }
# Waits up to 30 s for such a window; false when none came.
wait_shown() {
  local _
  for _ in $(seq 1 300); do shown "$1" && return 0; sleep 0.1; done
  return 1
}
# Start-up ends when the splash (shown after the main window) has come and gone.
wait_splash() {
  local _
  for _ in $(seq 1 30); do shown '"About KORVELTA-PRINT"' && break; sleep 0.1; done
  for _ in $(seq 1 100); do shown '"About KORVELTA-PRINT"' || break; sleep 0.1; done
}
# Closes a program the way a user would (WM_CLOSE to its windows), then makes sure it is gone.
close_program() { # image-name pid
  local _
  wine taskkill /im "$1" >/dev/null 2>&1 </dev/null || true
  for _ in $(seq 1 50); do kill -0 "$2" 2>/dev/null || break; sleep 0.1; done
  kill "$2" 2>/dev/null || true
}
# The wineserver would outlive the display it was started with.
finish() {
  wineserver -k >/dev/null 2>&1 </dev/null || true
  [ -n "${KORVELTA_XVFB_PID:-}" ] && kill "$KORVELTA_XVFB_PID" 2>/dev/null || true
  exit "$1"
}

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
    wait_shown "\"$caption" && found=yes
    sleep 1
    file="$OUT/${name//:/-}.png"
    if [ -n "$found" ]; then
      import -window root "$file"
      echo "saved $file"
    else
      echo "the dialog $name did not appear" >&2
      status=1
    fi
    close_program "$gallery.exe" "$program"
  done
  finish "$status"
fi
if [ "$MODE" = scenario ]; then
  status=0
  # shellcheck source=/dev/null
  ( source scripts/scenario.sh "$OUT" ) || status=$?
  finish "$status"
fi
if [ "$MODE" = sessions ]; then
  # Each part in a subshell of its own; a part that failed may leave the program open, which
  # the next part must not find.
  status=0
  parts=("$@")
  [ ${#parts[@]} -eq 0 ] && parts=(tables saves barcodes focus)
  for part in "${parts[@]}"; do
    [ -f "scripts/scenario_$part.sh" ] || { echo "unknown part $part" >&2; status=2; continue; }
    echo "== $part"
    # shellcheck source=/dev/null
    ( source "scripts/scenario_$part.sh" "$OUT/$part" ) || { echo "== $part failed" >&2; status=1; }
    if KORVELTA_DESKTOP=korvelta wine "$BUILD_DIR/testsupport/korvelta_drive.exe" wait "KORVELTA-PRINT - " 0 >/dev/null 2>&1 </dev/null; then
      wineserver -k >/dev/null 2>&1 </dev/null || true
      sleep 1
      wineserver -p >/dev/null 2>&1 </dev/null || true
    fi
  done
  finish "$status"
fi
if [ "$MODE" = grid ]; then
  cmake --build "$BUILD_DIR" --target grid_demo >/dev/null
  wine "$BUILD_DIR/bench/grid_demo.exe" /quit 30000 >/dev/null 2>&1 </dev/null &
  program=$!
  wait_shown '"Grid demo"' || true
  sleep 2
  mkdir -p "$(dirname "$OUT")"
  import -window root "$OUT"
  echo "saved $OUT"
  kill "$program" 2>/dev/null || true
  finish 0
fi
if [ "$MODE" = ribbon ]; then
  mkdir -p "$OUT"
  shots=(
    "home-wide 0 0 1280 760 0 -"
    "home-narrow 0 0 620 700 0 -"
    "table-wide 0 0 1280 760 4 -"
    "table-narrow 0 0 420 700 4 -"
    "home-keytips 0 0 1280 760 0 alt,h"
    "appmenu 0 0 1280 760 0 alt,f"
    "appmenu-new 0 0 1280 760 0 alt,f,Right"
    "appmenu-print 0 0 1280 760 0 alt,f,w"
  )
  # The frame's details: the canvas's context menu with its pictures, two projects' tabs.
  shots+=(
    "context-menu 0 0 1280 760 0 rclick:250:330"
    "context-table 0 0 1280 760 0 rclick:700:300"
    "tabs 0 0 1280 760 0 ctrl+n"
  )
  status=0
  # A few recent projects for the application menu's list (they need not exist to be listed).
  recent='HKCU\Software\QUENDRIC\KORVELTA-PRINT\Recent File List'
  wine reg add "$recent" /v File1 /d 'C:\labels\shelf edge 2026.proj' /f >/dev/null 2>&1 </dev/null
  wine reg add "$recent" /v File2 /d 'C:\labels\cable tags.proj' /f >/dev/null 2>&1 </dev/null
  wine reg add "$recent" /v File3 /d 'C:\users\shared\terminal blocks X1-X4.proj' /f >/dev/null 2>&1 </dev/null
  for shot in "${shots[@]}"; do
    read -r name left top right bottom category keys <<<"$shot"
    remember "$left" "$top" "$right" "$bottom" "$category"
    wine "$BUILD_DIR/ui/KORVELTA-PRINT.exe" >/dev/null 2>&1 </dev/null &
    program=$!
    if ! wait_shown '"KORVELTA-PRINT - '; then
      echo "the main window did not appear" >&2
      status=1
    else
      wait_splash
      sleep 1
      if [ "$keys" != - ]; then
        # Alt alone shows the tabs' key tips; the letters after it walk into a category.
        # rclick:X:Y right-clicks at a screen point (a context menu); other entries are keys.
        window=$(xdotool search --name '^KORVELTA-PRINT - ' 2>/dev/null | head -1 || true)
        [ -n "$window" ] && xdotool windowfocus "$window" 2>/dev/null || true
        IFS=, read -r -a presses <<<"$keys"
        for press in "${presses[@]}"; do
          case "$press" in
            rclick:*)
              IFS=: read -r _ x y <<<"$press"
              xdotool mousemove "$x" "$y" click 3 ;;
            *) xdotool key "$press" ;;
          esac
          sleep 0.4
        done
        sleep 0.5
      fi
      crop="$((right - left))x$((bottom - top))+$left+$top"
      import -window root -crop "$crop" "$OUT/$name.png"
      echo "saved $OUT/$name.png"
    fi
    close_program KORVELTA-PRINT.exe "$program"
  done
  finish "$status"
fi
if [ "$MODE" = printing ]; then
  cmake --build "$BUILD_DIR" --target korvelta_drive >/dev/null
  drive() { wine "$BUILD_DIR/testsupport/korvelta_drive.exe" "$@" 2>/dev/null </dev/null | tr -d '\r'; }
  drive printer >/dev/null
  mkdir -p "$WINEPREFIX/drive_c/printing"
  rm -f "$WINEPREFIX/drive_c/printing/labels.proj"
  drive project 'C:\printing\labels.proj' 6000
  [ -f "$WINEPREFIX/drive_c/printing/labels.proj" ] || { echo "the project was not made" >&2; finish 1; }
  remember 0 0 1024 740 0
  wine "$BUILD_DIR/ui/KORVELTA-PRINT.exe" 'C:\printing\labels.proj' >/dev/null 2>&1 </dev/null &
  program=$!
  status=0
  if wait_shown '"KORVELTA-PRINT - '; then
    wait_splash
    sleep 1
    # Print without the dialog (ID_FILE_PRINT_DIRECT): the table view prints the labels.
    drive post 57608
    if wait_shown '"Printing"'; then
      # A few pages into the job.
      sleep 3
      mkdir -p "$(dirname "$OUT")"
      import -window root -crop 1024x740+0+0 "$OUT"
      echo "saved $OUT"
    else
      echo "the Printing window did not appear" >&2
      status=1
    fi
  else
    echo "the main window did not appear" >&2
    status=1
  fi
  # Closing the program stops the job first (nothing of it is printed), then closes.
  close_program KORVELTA-PRINT.exe "$program"
  finish "$status"
fi
wine "$BUILD_DIR/ui/KORVELTA-PRINT.exe" "$@" >/dev/null 2>&1 </dev/null &
program=$!
status=0
# The main frame's caption is "KORVELTA-PRINT - <project>"; the splash is "About KORVELTA-PRINT".
if wait_shown '"KORVELTA-PRINT - '; then
  # After the splash, the first idle update fills the bars.
  wait_splash
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
close_program KORVELTA-PRINT.exe "$program"
finish "$status"
