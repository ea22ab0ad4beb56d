#!/usr/bin/env bash
# Renders the job the design canvas printed (design.ps) with Ghostscript at 300 dpi and reads its
# Code 128 with zbarimg; the page must carry ink besides the barcode (the text and the rectangle).
# Then the "print to" jobs: the rectangle's ink lies the way the template's orientation turns it.
#   design_print_check.sh <folder written by ui_tests>
set -u
dir="${1:?usage: design_print_check.sh <folder>}"
for tool in gs zbarimg; do
  command -v "$tool" >/dev/null || { echo "missing $tool: install ghostscript zbar-tools" >&2; exit 1; }
done
[ -s "$dir/design.ps" ] || { echo "no print job in $dir" >&2; exit 1; }
rm -f "$dir"/page*.png
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pnggray -r300 -o "$dir/page%d.png" "$dir/design.ps" || { echo "gs failed" >&2; exit 1; }
[ -s "$dir/page1.png" ] || { echo "no page rendered" >&2; exit 1; }
[ ! -e "$dir/page2.png" ] || { echo "more than one page" >&2; exit 1; }
decoded=$(zbarimg --nodbus -q "$dir/page1.png")
echo "zbarimg: $decoded"
[ "$decoded" = "CODE-128:DESIGN128" ] || { echo "the Code 128 did not read as DESIGN128" >&2; exit 1; }

# "Print to" a second printer with the template's page set-up: one 50 x 30 mm label a sheet holding
# a 20 x 10 mm rectangle. Upright, the rectangle lies along the sheet's short side; in landscape
# (the driver turns the page) along its long side. Ghostscript measures the ink of each page.
ink_box() {
  gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=bbox "$1" 2>&1 | sed -n 's/^%%BoundingBox: //p' | head -1
}
for orientation in landscape portrait; do
  [ -s "$dir/printto-$orientation.ps" ] || { echo "no $orientation print-to job in $dir" >&2; exit 1; }
  read -r llx lly urx ury <<<"$(ink_box "$dir/printto-$orientation.ps")"
  [ -n "${ury:-}" ] || { echo "gs found no ink on the $orientation page" >&2; exit 1; }
  width=$((urx - llx))
  height=$((ury - lly))
  echo "print-to $orientation: ink $width x $height pt"
  # 20 x 10 mm is about 57 x 28 pt (and the line's width round it).
  long=$width; short=$height
  [ "$orientation" = landscape ] && { long=$height; short=$width; }
  if [ "$long" -lt 50 ] || [ "$long" -gt 70 ] || [ "$short" -lt 22 ] || [ "$short" -gt 40 ]; then
    echo "the $orientation page does not hold the rectangle the right way round" >&2
    exit 1
  fi
done
echo "design print check passed"
