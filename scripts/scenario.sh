# Sourced by scripts/screenshot.sh --scenario <folder> (with BUILD_DIR, Xvfb and the Wine
# environment set up): a person's first session with the program, done with real input where it
# can be (xdotool in Wine's virtual desktop), a PNG per step into <folder>, and the printed page
# rendered by ghostscript. Ribbon buttons are reached through their key tips; a step that cannot be
# driven with the mouse or keys would post its command and say so.
# shellcheck source=scripts/scenario_lib.sh
source scripts/scenario_lib.sh "$1"
psfile="$(unix_path "$(drive printer)")"
rm -f "$psfile"
project_dir="$(fresh_folder 'C:\scenario')"
project_win='C:\scenario\first.proj'

# The frame at the size the steps below were laid out for (the ribbon's tabs are clicked where
# a 960-pixel-wide frame shows them); the other scenarios leave it wider.
start_program 0 0 960 675
shot start 2

canvas="$(centre -1)" || true
[ -n "$canvas" ] || { echo "no design canvas in the project window" >&2; exit 1; }
read -r cx cy <<<"$canvas"
read -r ox oy <<<"$(origin -1)"
xdotool mousemove "$cx" "$cy" click 1
shot canvas-focused

say "a new label definition: Label tab, New (key tips Alt, L, N)"
keytips l n
shot label-new 2
# A dialog or question the new definition raises is answered with Enter.
key Return

say "label size 100 x 60 mm, one row and one column, in the Label tab's boxes"
# The ribbon's tabs are drawn, not windows: they are clicked where a 960-pixel-wide frame shows them
# (the ribbon draws the caption row above them).
xdotool mousemove 131 40 click 1
sleep 1
set_boxes "772 100 mm" "773 60 mm" "777 1" "778 1"
shot label-sized
say "one block, on the Page tab"
xdotool mousemove 179 40 click 1
sleep 1
set_box 779 1
shot blocks
xdotool mousemove 81 40 click 1
sleep 0.5

say "insert a text, a barcode and a rectangle by drawing them (Home tab, Text: key tips Alt, H, TE)"
keytips h t e; drag $((ox + 30)) $((oy + 30)) $((ox + 200)) $((oy + 70))
say "the new text takes a constant (Home tab, Constant: key tips Alt, H, ON)"
keytips h o n
shot text-inserted
keytips h b a; drag $((ox + 30)) $((oy + 90)) $((ox + 250)) $((oy + 170))
keytips h o n
shot barcode-inserted
say "the barcode's content typed in place"
xdotool mousemove $((ox + 140)) $((oy + 130)) click --repeat 2 --delay 120 1
sleep 1
shot barcode-content
key Home shift+End
xdotool type --delay 40 "KORVELTA1"
# No Return: the editor takes several lines and would keep a line break in the content; the
# next tool (Draw tab, Rectangle: key tips Alt, D, RE) ends the editing and keeps the text.
keytips d r e; drag $((ox + 270)) $((oy + 30)) $((ox + 350)) $((oy + 110))
shot rectangle-inserted

say "move the rectangle"
# Pressed on its outline between two handles (a press on a handle would resize it).
drag $((ox + 290)) $((oy + 30)) $((ox + 300)) $((oy + 50))
shot rectangle-moved

say "type a constant text in place"
edit_in_place $((ox + 115)) $((oy + 50)) "Hello labels"
shot text-editing
# A click on an empty place of the canvas ends the editor.
xdotool mousemove $((ox + 300)) $((oy + 160)) click 1
shot text-typed

say "the text takes column A of the table (Home tab, Table: key tips Alt, H, TA)"
xdotool mousemove $((ox + 115)) $((oy + 50)) click 1
sleep 0.3
keytips h t a
set_box 705 A
shot text-from-table
say "type the table's first cell, beginning with #, into the table view's grid"
grid="$(origin 555)" || true
[ -n "$grid" ] || { echo "no table grid in the project window" >&2; exit 1; }
read -r gx gy <<<"$grid"
# Row 1 of column A: right of the row headings, below the column headings.
xdotool mousemove $((gx + 120)) $((gy + 27)) click 1
sleep 0.3
xdotool type --delay 60 "#1001"
key Return
shot table-typed

say "save the project"
key ctrl+s
sleep 1
shot save-dialog
xdotool type --delay 30 "$project_win"
key Return
sleep 1
shot saved
[ -f "$project_dir/first.proj" ] || { echo "the project was not saved" >&2; exit 1; }

say "close (key tips Alt, F, C) and reopen it"
keytips f c
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
  # The text printed from the table, read back from the page: the typed cell whole, # included.
  printed_text="$(gs -q -sDEVICE=txtwrite -o - "$psfile" 2>/dev/null | tr -s ' ' || true)"
  if grep -q '#1001' <<<"$printed_text"; then
    say "the printed page shows the table cell whole: #1001"
  else
    echo "the printed page does not show #1001: $(head -c 300 <<<"$printed_text")" >&2
    exit 1
  fi
else
  echo "nothing was printed" >&2
  exit 1
fi
wine taskkill /im KORVELTA-PRINT.exe >/dev/null 2>&1 </dev/null || true
sleep 2

say "print the saved project from the command line (/p) and read its barcode"
rm -f "$psfile"
timeout 120 wine "$BUILD_DIR/ui/KORVELTA-PRINT.exe" /p "$project_win" >/dev/null 2>&1 </dev/null || true
if [ -s "$psfile" ]; then
  gs -q -sDEVICE=pnggray -r300 -o "$OUTDIR/slash-p-%d.png" "$psfile"
  say "barcode read from the /p page: $(zbarimg -q "$OUTDIR/slash-p-1.png" 2>/dev/null | tr '\n' ' ')"
else
  echo "/p printed nothing" >&2
  exit 1
fi
