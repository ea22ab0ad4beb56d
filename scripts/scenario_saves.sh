# shellcheck shell=bash disable=SC2119
# Sourced by scripts/screenshot.sh --sessions <folder> saves: what a person's saves may replace,
# with real mouse and keys, a PNG per step into <folder>.
# A new label definition (Label tab, key tips Alt, L, N) enables "Save label" and "Save label
# as..."; the latter opens its dialog. A project is saved, changed, and Save As is pointed at its
# own file: the dialog asks before replacing it, No keeps the file's bytes. Save As with a ".tpe"
# name writes the template and leaves the window's caption and the unsaved change as they were:
# closing still asks "Save changes?", and No leaves the project file as it was saved.
# shellcheck source=scripts/scenario_lib.sh
source scripts/scenario_lib.sh "$1"
save_dir="$(fresh_folder 'C:\scen-saves')"
project_win='C:\scen-saves\kept.proj'
project="$save_dir/kept.proj"
template_win='C:\scen-saves\part.tpe'

# Wide enough for the Label tab to show its buttons' captions.
start_program 0 0 1280 860
shot start

say "a new label definition: Label tab, New (key tips Alt, L, N)"
keytips l n
shot label-tab-save-label-enabled
say "Save label as... (key tips Alt, L, SV) opens its save dialog; cancelled"
keytips l s v
drive wait "=Save As" 10 || fail "Save label as... opened no dialog"
shot save-label-as-dialog 0.5
key Escape

say "a cell typed and the project saved with Ctrl+S as kept.proj"
type_cell A 1 first Return
save_new_project "$project_win"
kept_sum="$(md5sum <"$project")"
say "saved: $(drive caption)"

say "another cell typed (the project is changed), then Save As (key tips Alt, F, A) onto kept.proj"
type_cell A 2 second Return
keytips f a
drive wait "=Save As" 10 || fail "Save As opened no dialog"
xdotool type --delay 30 "$project_win"
key Return
# The dialog's own question: a message box over it, with the dialog's caption.
for _ in $(seq 1 50); do drive texts "=Save As" | grep -q '^\[Yes\]' && break; sleep 0.2; done
say "asked: $(question_text "Save As")"
shot replace-question 0.3
drive texts "=Save As" | grep -q 'replace' || fail "Save As onto an existing project asked nothing"
say "answered No, then the dialog cancelled"
key n
shot after-no 0.5
key Escape
sleep 0.5
[ "$(md5sum <"$project")" = "$kept_sum" ] || fail "kept.proj changed although the replacement was refused"
say "kept.proj has the bytes of its save: $(md5sum <"$project" | cut -c1-12)"

say "Save As again: All Files chosen, part.tpe typed"
keytips f a
drive wait "=Save As" 10 || fail "Save As opened no dialog"
click_in "=Save As" 1136
key End Return
click_in "=Save As" 1148
key ctrl+a
xdotool type --delay 30 "$template_win"
shot tpe-named 0.3
key Return
sleep 1
[ -s "$(unix_path "$template_win")" ] || fail "part.tpe was not written"
caption="$(drive caption)"
say "part.tpe written ($(stat -c %s "$(unix_path "$template_win")") bytes); the caption: $caption"
[ "$caption" = "KORVELTA-PRINT - kept.proj" ] || fail "the window was renamed by a template export"
shot after-tpe

say "the window's close box: the unsaved change must still be asked about"
click_close_box
wait_question || fail "closing asked nothing: the export marked the project saved"
say "asked: $(question_text)"
shot close-question 0.3
question_text | grep -q 'kept.proj' || fail "the question does not name kept.proj"
key n
wait_program_gone || fail "the program did not end after No"
[ "$(md5sum <"$project")" = "$kept_sum" ] || fail "kept.proj changed"
say "kept.proj still has the bytes of its save; part.tpe stands beside it"
