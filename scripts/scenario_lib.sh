# shellcheck shell=bash
# Sourced by the scenarios of scripts/screenshot.sh (scenario.sh and scenario_*.sh), with
# BUILD_DIR, Xvfb and the Wine environment set up and `remember` defined:
#   source scripts/scenario_lib.sh <folder>
# The helpers a scenario drives the program with: real mouse and keys through xdotool in Wine's
# virtual desktop "korvelta", korvelta_drive (testsupport/tools) for what xdotool cannot see
# (a window's place by its control id, a message box's texts, a saved project's table), and a PNG
# per step into <folder>.
set -euo pipefail
export KORVELTA_DESKTOP=korvelta
OUTDIR="$1"
mkdir -p "$OUTDIR"
rm -f "$OUTDIR"/*.png
cmake --build "$BUILD_DIR" --target korvelta_drive >/dev/null
drive() { wine "$BUILD_DIR/testsupport/korvelta_drive.exe" "$@" 2>/dev/null </dev/null | tr -d '\r'; }
step=0
shot() {
  step=$((step + 1))
  local name
  name=$(printf '%02d-%s.png' "$step" "$1")
  sleep "${2:-1}"
  import -window root "$OUTDIR/$name"
  echo "  $name"
}
say() { echo "scenario: $*"; }
fail() { echo "scenario failed: $*" >&2; exit 1; }
# Centre of the window with a control id, in screen pixels (Wine's desktop sits at the X origin).
centre() { drive rect "$1" | awk '{ printf "%d %d\n", $1 + $3 / 2, $2 + $4 / 2 }'; }
origin() { drive rect "$1" | awk '{ print $1, $2 }'; }
# The same for a control of a dialog or message box, found by the dialog's caption.
centre_in() { drive rectin "$1" "$2" | awk '{ printf "%d %d\n", $1 + $3 / 2, $2 + $4 / 2 }'; }
origin_in() { drive rectin "$1" "$2" | awk '{ print $1, $2 }'; }
click_in() { # caption id: a click on that control of that window
  local at
  at="$(centre_in "$1" "$2")" || true
  [ -n "$at" ] || fail "no control $2 in the window \"$1\""
  # shellcheck disable=SC2086
  xdotool mousemove $at click 1
  sleep 0.5
}
drag() { # x1 y1 x2 y2: press, wait past the drag delay, move in steps, release
  xdotool mousemove "$1" "$2" mousedown 1
  sleep 0.4
  local i
  for i in 1 2 3 4 5; do
    xdotool mousemove $(( $1 + ($3 - $1) * i / 5 )) $(( $2 + ($4 - $2) * i / 5 ))
    sleep 0.05
  done
  xdotool mouseup 1
  sleep 0.3
}
key() { xdotool key --delay 80 "$@"; sleep 0.5; }
# An object of the design canvas edited in place: a click selects it, a double click opens the
# editor over it, and the typed text replaces its content. The editor stays open.
edit_in_place() { # x y text
  xdotool mousemove "$1" "$2" click 1
  sleep 0.3
  xdotool mousemove "$1" "$2" click --repeat 2 --delay 120 1
  sleep 1
  key Home shift+End
  xdotool type --delay 40 "$3"
}
# The first Save of a project (Ctrl+S asks for a name) under a C: path; fails when no file came.
save_new_project() { # C:path
  key ctrl+s
  drive wait "=Save As" 10 || fail "no save dialog"
  xdotool type --delay 30 "$1"
  key Return
  sleep 1
  [ -f "$(unix_path "$1")" ] || fail "the project was not saved as $1"
}
# The ribbon's key tips: Alt alone shows them, then each letter walks one level (a tab, then a
# button of it). A pause after each key lets the ribbon draw the next level.
keytips() {
  local letter
  xdotool key alt
  sleep 0.4
  for letter in "$@"; do
    xdotool key "$letter"
    sleep 0.4
  done
  sleep 0.4
}
set_box() { # id value: typed into a ribbon box with the mouse and keys, or set and posted when it is hidden
  local box bx by
  if box="$(centre "$1")" && [ -n "$box" ]; then
    read -r bx by <<<"$box"
    xdotool mousemove "$bx" "$by" click 1
    key Home shift+End
    xdotool type --delay 40 "$2"
    key Return
  else
    say "box $1 not shown: set through the program (posted)"
    drive settext "$1" "$2" || true
    drive post "$1"
  fi
}
set_boxes() { # "id value"...: each typed into its ribbon box in turn
  local pair id value
  for pair in "$@"; do
    read -r id value <<<"$pair"
    set_box "$id" "$value"
  done
}
# A cell of the table view's grid (control 555) as shown: column letter and row number, with the
# grid's standard sizes (row headings 90 pixels wide, columns 90, rows 18).
cell() { # column row -> x y
  local gx gy column
  read -r gx gy <<<"$(origin 555)"
  [ -n "${gx:-}" ] || fail "no table grid in the project window"
  column=$(( $(printf '%d' "'$1") - 65 ))
  echo $((gx + 120 + 90 * column)) $((gy + 27 + 18 * ($2 - 1)))
}
click_cell() { # column row
  # shellcheck disable=SC2046
  xdotool mousemove $(cell "$1" "$2") click 1
  sleep 0.3
}
type_cell() { # column row text [Return]: a click on the cell, the text typed, and Return when asked
  click_cell "$1" "$2"
  xdotool type --delay 60 "$3"
  if [ "${4:-}" = Return ]; then key Return; else sleep 0.3; fi
}

# A C: path inside the prefix as a Unix path (winepath would need the 32-bit loader here).
unix_path() { local p="${1#[Cc]:}"; echo "$WINEPREFIX/drive_c${p//\\//}"; }
# An empty folder for a scenario's files, given by its C: path; prints its Unix path.
fresh_folder() {
  local dir
  dir="$(unix_path "$1")"
  rm -rf "$dir"
  mkdir -p "$dir"
  echo "$dir"
}

# The main window's place on the desktop (xwininfo: its outer size and position).
frame_geometry() { # -> x y width height
  xwininfo -root -tree 2>/dev/null | grep '"KORVELTA-PRINT - ' | head -1 |
    sed -E 's/.* ([0-9]+)x([0-9]+)\+(-?[0-9]+)\+(-?[0-9]+) .*/\3 \4 \1 \2/'
}
# A click on the close box at the right end of the main window's caption, as a person closes it.
click_close_box() {
  local fx fy fw
  read -r fx fy fw _ <<<"$(frame_geometry)"
  [ -n "${fw:-}" ] || fail "no main window to close"
  xdotool mousemove $((fx + fw - 18)) $((fy + 15)) click 1
  sleep 1
}
# A message box of the program: its caption is the program's name alone.
include_filter() { # text [picture name]: in the open Filter dialog, "A contains text", then OK
  # Its grid: a heading row, then show, trim, three strip rows, three include rows, three exclude
  # rows; columns Function (180 pixels), Argument (70), then A, B ... (24 each).
  local fx fy include_y
  read -r fx fy <<<"$(origin_in "=Filter" 1040)"
  include_y=$((fy + 11 + 18 * 6))
  xdotool mousemove $((fx + 216)) "$include_y" click 1
  sleep 0.4
  xdotool type --delay 60 "$1"
  key Return
  xdotool mousemove $((fx + 262)) "$include_y" click 1
  if [ -n "${2:-}" ]; then shot "$2"; fi
  click_in "=Filter" 1
}
wait_question() { drive wait "=${1:-KORVELTA-PRINT}" "${2:-10}"; }
# Its texts on one line (the program's texts are Windows-1252).
question_text() { drive texts "=${1:-KORVELTA-PRINT}" | iconv -f CP1252 -t UTF-8 | tr '\n' ' '; }
wait_program_gone() {
  local _
  for _ in $(seq 1 100); do drive wait "KORVELTA-PRINT - " 0 || return 0; sleep 0.2; done
  return 1
}

# Starts the program in Wine's virtual desktop with its main window at left top right bottom
# and the Home tab, and waits until the splash has gone.
start_program() { # left top right bottom [program arguments...]
  remember "$1" "$2" "$3" "$4" 0
  shift 4
  wine explorer /desktop=korvelta,1280x900 "$BUILD_DIR/ui/KORVELTA-PRINT.exe" "$@" >/dev/null 2>&1 </dev/null &
  drive wait "KORVELTA-PRINT - " 60 || fail "the main window did not appear"
  # The splash comes after the main window and goes by itself.
  local _
  for _ in $(seq 1 30); do drive wait "About KORVELTA-PRINT" 0 && break; sleep 0.1; done
  for _ in $(seq 1 100); do drive wait "About KORVELTA-PRINT" 0 || break; sleep 0.1; done
}
