# shellcheck shell=bash disable=SC2119
# Sourced by scripts/screenshot.sh --sessions <folder> barcodes: a barcode whose text Code 39
# cannot take, with real mouse and keys, a PNG per step into <folder>.
# A new label definition of one 100 x 60 mm label on the page; a barcode (Code 39, the symbology of
# every new barcode) drawn with the mouse and "ab-12" typed into it in place: the design view shows
# the overflow mark, not bars. Printed to the file printer: the print stops before label 1 with a
# message naming the label and its text, and no page carries a symbol. Then "AB-12" typed in its
# place and printed: the page, rendered by ghostscript, decodes as AB-12 (zbarimg, ZXingReader).
# shellcheck source=scripts/scenario_lib.sh
source scripts/scenario_lib.sh "$1"
psfile="$(unix_path "$(drive printer)")"
rm -f "$psfile"

start_program 0 0 1280 860

say "a new label definition (key tips Alt, L, N), 100 x 60 mm, one row and one column"
keytips l n
set_boxes "772 100 mm" "773 60 mm" "777 1" "778 1"
shot label-sized

say "a barcode drawn on the label (Home tab, Barcode: key tips Alt, H, BA), its data a constant (Alt, H, ON)"
read -r ox oy <<<"$(origin -1)"
[ -n "${oy:-}" ] || fail "no design canvas in the project window"
keytips h b a
drag $((ox + 30)) $((oy + 40)) $((ox + 300)) $((oy + 160))
keytips h o n
shot barcode-drawn
# Typed in place; a click beside the object ends the editor.
type_in_barcode() {
  edit_in_place $((ox + 165)) $((oy + 100)) "$1"
  shot "typing-$1" 0.3
  xdotool mousemove $((ox + 350)) $((oy + 200)) click 1
}
say "ab-12 typed into the barcode"
type_in_barcode ab-12
shot ab-12-overflow-mark

say "printed (Ctrl+P, Enter in the print dialog)"
key ctrl+p
drive wait "=Print" 10 || fail "no print dialog"
shot print-dialog 0.3
key Return
drive wait "=Utskrift avbruten" 20 || fail "the print did not stop at the text Code 39 cannot take"
message="$(question_text "Utskrift avbruten")"
say "the print stopped: $message"
shot print-stopped 0.3
grep -q 'etikett nummer 1: "ab-12"' <<<"$message" || fail "the message does not name label 1 and its text"
key Return
sleep 2
if [ -s "$psfile" ]; then
  gs -q -sDEVICE=pnggray -r300 -o "$OUTDIR/stopped-%d.png" "$psfile"
  decoded="$(zbarimg --nodbus -q "$OUTDIR"/stopped-*.png 2>/dev/null || true)"
  [ -z "$decoded" ] || fail "the stopped print carries a symbol: $decoded"
  say "the stopped job left a page without any symbol"
else
  say "the stopped job printed nothing"
fi

say "AB-12 typed in its place, and printed again"
rm -f "$psfile"
type_in_barcode AB-12
shot AB-12-bars
key ctrl+p
drive wait "=Print" 10 || fail "no print dialog"
key Return
for _ in $(seq 1 100); do [ -s "$psfile" ] && break; sleep 0.2; done
sleep 2
[ -s "$psfile" ] || fail "nothing was printed"
gs -q -sDEVICE=png16m -r100 -o "$OUTDIR/printed-%d.png" "$psfile"
gs -q -sDEVICE=pnggray -r300 -o "$OUTDIR/printed300-%d.png" "$psfile"
zbar="$(zbarimg --nodbus -q "$OUTDIR"/printed300-*.png 2>/dev/null | sort -u | tr '\n' ' ' || true)"
zxing="$(ZXingReader "$OUTDIR"/printed300-1.png 2>/dev/null | grep -i '^Text' | tr -s ' ' | tr '\n' ' ' || true)"
rm -f "$OUTDIR"/printed300-*.png
say "the printed page decodes as: zbarimg $zbar; ZXingReader $zxing"
[ "$zbar" = "CODE-39:AB-12 " ] || fail "zbarimg does not read exactly AB-12 from the page"
grep -q 'AB-12' <<<"$zxing" || fail "ZXingReader does not read AB-12 from the page"

say "closed without saving (close box, No)"
click_close_box
wait_question && key n
wait_program_gone || fail "the program did not end"
