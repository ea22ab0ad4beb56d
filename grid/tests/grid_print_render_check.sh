#!/usr/bin/env bash
# Renders the PostScript job grid_tests printed (grid.ps, written when KORVELTA_PRINT_OUT names a
# folder) with Ghostscript and checks that every page the job announced came out with ink on it.
#   KORVELTA_PRINT_OUT=/tmp/out wine grid_tests.exe --gtest_filter='GridPrint*'
#   grid_print_render_check.sh /tmp/out
set -u
dir="${1:?usage: grid_print_render_check.sh <folder>}"
command -v gs >/dev/null || { echo "missing gs: install ghostscript" >&2; exit 1; }
[ -s "$dir/grid.ps" ] || { echo "no print job in $dir" >&2; exit 1; }
pages=$(grep -a '^%%Pages: [0-9]' "$dir/grid.ps" | tail -1 | awk '{print $2}')
[ -n "$pages" ] || { echo "the job names no page count" >&2; exit 1; }
rm -rf "$dir/render"; mkdir -p "$dir/render"
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pnggray -r72 -o "$dir/render/page%d.png" "$dir/grid.ps" || { echo "gs failed" >&2; exit 1; }
rendered=$(ls "$dir/render" | wc -l)
[ "$rendered" -eq "$pages" ] || { echo "announced $pages pages, rendered $rendered" >&2; exit 1; }
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=inkcov -o - "$dir/grid.ps" > "$dir/render/inkcov.txt" || exit 1
blank=$(awk '$4 == "0.00000" {n++} END {print n+0}' "$dir/render/inkcov.txt")
[ "$blank" -eq 0 ] || { echo "$blank blank pages" >&2; exit 1; }
echo "grid.ps: $pages pages rendered, each with ink"
