# shellcheck shell=bash disable=SC2119
# Sourced by scripts/screenshot.sh --sessions <folder> tables: a table typed through a filter, as a
# person does it, with real mouse and keys, a PNG per step into <folder>.
# Five fruits in column A; a filter "A contains an" set up in the Filter dialog (Table tab) and
# switched on, so that only banana shows; the project saved, closed and reopened; "mango" typed
# over banana; a cell of B typed without Enter while the ribbon's Enable switches the filter off
# (the edit must land in mango's row); saved; a cell typed without Enter and the window closed:
# the "Save changes?" question must come and is answered Yes. The saved project is then read back
# (korvelta_drive table): mango stands where banana stood and nothing else changed.
# shellcheck source=scripts/scenario_lib.sh
source scripts/scenario_lib.sh "$1"
fresh_folder 'C:\scen-tables' >/dev/null
project_win='C:\scen-tables\fruit.proj'

# Wide enough for the Table tab to show its captions; its Filter panel's Enable box is clicked there.
start_program 0 0 1280 860
enable_x=940
enable_y=69

say "five rows typed into column A of the table view's grid"
click_cell A 1
for fruit in apple banana cherry date elder; do
  xdotool type --delay 60 "$fruit"
  key Return
done
shot typed

say "the filter set up in the Filter dialog: Table tab, Setup (key tips Alt, T, ST)"
keytips t s t
wait_question || fail "no question about inserting a filter"
say "asked: $(question_text)"
shot filter-question 0.3
key Return
drive wait "=Filter" 10 || fail "the Filter dialog did not open"
include_filter an filter-dialog
say "the filter switched on with a click on the ribbon's Enable"
xdotool mousemove "$enable_x" "$enable_y" click 1
shot filter-on

say "saved (Ctrl+S names it), closed (Alt, F, C) and reopened (Ctrl+O)"
save_new_project "$project_win"
say "saved: $(drive table "$project_win" | tr '\n' ';')"
keytips f c
drive wait "=KORVELTA-PRINT" 0 && fail "closing the saved project asked a question"
key ctrl+o
sleep 1
xdotool type --delay 30 "$project_win"
key Return
drive wait "fruit" 20 || fail "the project did not open again"
shot reopened 2

say "mango typed over banana, the one row the filter shows"
type_cell A 1 mango Return
shot mango-typed
say "kiwi typed into B of that row without Enter, then Enable clicked on the ribbon: the filter goes off"
type_cell B 1 kiwi
shot kiwi-open 0.5
xdotool mousemove "$enable_x" "$enable_y" click 1
shot filter-off
say "saved with Ctrl+S"
key ctrl+s
sleep 1
say "saved: $(drive table "$project_win" | tr '\n' ';')"
drive table "$project_win" | grep -qx 'table 2: mango | kiwi |  | ' || fail "kiwi is not beside mango in the saved file"

say "fig typed into A6 without Enter, then the window's close box clicked"
type_cell A 6 fig
click_close_box
wait_question || fail "closing with an open cell edit asked nothing: the typed text would be lost"
say "asked: $(question_text)"
shot save-question 0.3
key Return
wait_program_gone || fail "the program did not end after Yes"

say "the saved project read back:"
saved="$(drive table "$project_win")"
mapfile -t lines <<<"$saved"
printf '  %s\n' "${lines[@]}"
expected='filter: off, include "an" in A
table 1: apple |  |  | 
table 2: mango | kiwi |  | 
table 3: cherry |  |  | 
table 4: date |  |  | 
table 5: elder |  |  | 
table 6: fig |  |  | '
[ "$saved" = "$expected" ] || fail "the saved table is not what was typed"
say "the table holds mango where banana was, kiwi beside it, fig below, and nothing was lost"
