# Sourced by scripts/screenshot.sh --scenario <folder> (with BUILD_DIR, Xvfb and the Wine
# environment set up): a person's first session with the program, done with real input where it
# can be (xdotool in Wine's virtual desktop), a PNG per step into <folder>, and the printed page
# rendered by ghostscript. A step that cannot be driven with the mouse or keys posts its command
# and says so.
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
# Centre of the window with a control id, in screen pixels (Wine's desktop sits at the X origin).
centre() { drive rect "$1" | awk '{ printf "%d %d\n", $1 + $3 / 2, $2 + $4 / 2 }'; }
origin() { drive rect "$1" | awk '{ print $1, $2 }'; }
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

psfile="$(winepath -u "$(drive printer)")"
rm -f "$psfile"
project_dir="$WINEPREFIX/drive_c/scenario"
rm -rf "$project_dir"
mkdir -p "$project_dir"
project_win='C:\scenario\first.proj'

wine explorer /desktop=korvelta,1280x900 "$BUILD_DIR/ui/KORVELTA-PRINT.exe" >/dev/null 2>&1 </dev/null &
drive wait "KORVELTA-PRINT - " 60 || { echo "the main window did not appear" >&2; exit 1; }
# The splash comes after the main window and goes by itself.
for _ in $(seq 1 30); do drive wait "About KORVELTA-PRINT" 0 && break; sleep 0.1; done
for _ in $(seq 1 100); do drive wait "About KORVELTA-PRINT" 0 || break; sleep 0.1; done
shot start 2

canvas="$(centre -1)" || true
[ -n "$canvas" ] || { echo "no design canvas in the project window" >&2; exit 1; }
read -r cx cy <<<"$canvas"
read -r ox oy <<<"$(origin -1)"
xdotool mousemove "$cx" "$cy" click 1
shot canvas-focused

say "a new label definition (posted: ID_LABEL_NEW has no key)"
drive post 903
shot label-new 2
# A dialog or question the new definition raises is answered with Enter.
key Return

say "label size 50 x 30 mm in the ribbon's boxes"
for pair in "772 50" "773 30"; do
  read -r id value <<<"$pair"
  if box="$(centre "$id")" && [ -n "$box" ]; then
    read -r bx by <<<"$box"
    xdotool mousemove "$bx" "$by" click --repeat 3 1
    xdotool type --delay 40 "$value"
    key Return
  else
    say "box $id not shown on this ribbon tab: set through the program (posted)"
    drive settext "$id" "$value" || true
    drive post "$id"
  fi
done
shot label-sized

say "insert a text, a barcode and a rectangle by drawing them"
drive post 221; drag $((ox + 40)) $((oy + 40)) $((ox + 220)) $((oy + 80))
shot text-inserted
drive post 222; drag $((ox + 40)) $((oy + 110)) $((ox + 260)) $((oy + 190))
shot barcode-inserted
drive post 711; drag $((ox + 280)) $((oy + 40)) $((ox + 360)) $((oy + 120))
shot rectangle-inserted

say "move the rectangle"
drag $((ox + 320)) $((oy + 42)) $((ox + 340)) $((oy + 70))
shot rectangle-moved

say "type a constant text in place"
xdotool mousemove $((ox + 130)) $((oy + 60)) click --repeat 2 1
sleep 0.5
key ctrl+a
xdotool type --delay 40 "Hello labels"
xdotool mousemove $((ox + 400)) $((oy + 250)) click 1
shot text-typed

say "save the project"
key ctrl+s
sleep 1
shot save-dialog
xdotool type --delay 30 "$project_win"
key Return
sleep 1
shot saved
[ -f "$project_dir/first.proj" ] || { echo "the project was not saved" >&2; exit 1; }

say "close and reopen it"
drive post 57602
shot closed
key ctrl+o
sleep 1
xdotool type --delay 30 "$project_win"
key Return
drive wait "first" 20 || true
shot reopened 2

say "print it"
key ctrl+p
sleep 1
shot print-dialog
key Return
for _ in $(seq 1 100); do [ -s "$psfile" ] && break; sleep 0.2; done
sleep 2
if [ -s "$psfile" ]; then
  gs -q -sDEVICE=png16m -r100 -o "$OUTDIR/printed-%d.png" "$psfile"
  say "printed page: $(ls "$OUTDIR"/printed-*.png | tr '\n' ' ')"
else
  echo "nothing was printed" >&2
  exit 1
fi
wine taskkill /im KORVELTA-PRINT.exe >/dev/null 2>&1 </dev/null || true
