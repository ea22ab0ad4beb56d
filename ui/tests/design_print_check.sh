#!/usr/bin/env bash
# Renders the job the design canvas printed (design.ps) with Ghostscript at 300 dpi and reads its
# Code 128 with zbarimg; the page must carry ink besides the barcode (the text and the rectangle).
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
echo "design print check passed"
