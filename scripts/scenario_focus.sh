# shellcheck shell=bash disable=SC2119
# Sourced by scripts/screenshot.sh --sessions <folder> focus: where the keys go once a dialog or a
# message box has closed, and what the ribbon shows when the project goes, with real mouse and keys,
# a PNG per step into <folder>.
# At start-up Home's boxes are as grey as the buttons beside them. A cell is typed and the project
# saved with Ctrl+S: "second" typed after the dialog, without a click, lands in the grid; so does
# "third" after the Print dialog (Escape) and "fourth" after the Filter dialog with its question.
# A text takes column A of the table and the filter is switched on; the project is closed from the
# application menu (Alt, F, C, answered No): the caption drawn by the ribbon loses the project's
# name, and Home's Table source, its Column box and the Table tab's filter Enable drop their marks.
# shellcheck source=scripts/scenario_lib.sh
source scripts/scenario_lib.sh "$1"
fresh_folder 'C:\scen-focus' >/dev/null
project_win='C:\scen-focus\first.proj'
# Where the Table tab shows its filter Enable box in a frame 1280 pixels wide.
enable_x=940
enable_y=69
# After a dialog or message box closed: the keys must go to the grid, and what is typed lands in
# its current cell.
typed_after() { # what word
  say "the focus after $1: $(drive focus)"
  drive focus | grep -q 'id 555 ' || fail "the keys go elsewhere after $1: $(drive focus)"
  xdotool type --delay 60 "$2"
  key Return
  shot "typed-$2"
}

start_program 0 0 1280 860
shot start
say "the focus at start: $(drive focus)"

say "a cell typed and the project saved with Ctrl+S; then \"second\" typed without a click"
type_cell A 1 first Return
save_new_project "$project_win"
typed_after "the Save As dialog" second

say "Ctrl+P without a label definition: a message box, answered with Enter, then \"third\" typed"
key ctrl+p
wait_question || fail "printing without a label asked nothing"
say "told: $(question_text)"
key Return
typed_after "the message box" third

say "a new label definition (Alt, L, N), the Print dialog (Ctrl+P) cancelled, then \"fourth\" typed"
read -r ox oy <<<"$(origin -1)"
[ -n "${oy:-}" ] || fail "no design canvas in the project window"
xdotool mousemove $((ox + 300)) $((oy + 160)) click 1
keytips l n
drive wait "=KORVELTA-PRINT" 0 && key Return
say "one row and one column (Label tab), one block (Page tab), in the ribbon's boxes"
set_boxes "777 1" "778 1"
keytips p
key Escape Escape
set_box 779 1
shot label-set
say "back in the grid at A4: Ctrl+P"
click_cell A 4
key ctrl+p
drive wait "=Print" 10 || fail "no Print dialog: $(drive focus) $(question_text)"
shot print-dialog 0.3
key Escape
typed_after "the Print dialog" fourth

say "the filter set up (Table tab, Setup: a question, then the Filter dialog), then \"fifth\" typed"
keytips t s t
wait_question || fail "no question about inserting a filter"
key Return
drive wait "=Filter" 10 || fail "the Filter dialog did not open"
include_filter i
typed_after "the Filter dialog" fifth
key ctrl+s
sleep 1
saved="$(drive table "$project_win")"
printf '  %s\n' "$saved"
row=2
for word in second third fourth fifth; do
  grep -qx "table $row: $word |  |  | " <<<"$saved" || fail "\"$word\" is not in A$row of the saved table"
  row=$((row + 1))
done

say "the filter switched on with a click on the ribbon's Enable"
xdotool mousemove "$enable_x" "$enable_y" click 1
shot filter-on

say "a text drawn on the canvas takes column A of the table (Home tab: TE, then TA)"
xdotool mousemove $((ox + 300)) $((oy + 160)) click 1
keytips h t e
drag $((ox + 30)) $((oy + 30)) $((ox + 200)) $((oy + 70))
keytips h t a
set_box 705 A
shot text-from-table

say "saved (Ctrl+S), then closed from the application menu (Alt, F, C)"
key ctrl+s
sleep 1
keytips f c
sleep 3
wait_question 0 && fail "closing the saved project asked a question"
say "the frame's title: $(drive caption)"
shot closed-home 0
keytips t
key Escape Escape
shot closed-table 1
