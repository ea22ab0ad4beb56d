#!/usr/bin/env bash
# Renders each pair of jobs document_tests printed both ways (NAME.ps with the symbols as
# images, NAME-plain.ps with every run of modules a rectangle) with Ghostscript at 300 and
# 600 dpi, and checks that every page of the pair has the same pixels.
#   print_compare_check.sh <folder written by document_tests>
set -u
dir="${1:?usage: print_compare_check.sh <folder>}"
command -v gs >/dev/null || { echo "missing gs: install ghostscript" >&2; exit 1; }
work="$dir/compare"
rm -rf "$work"
mkdir -p "$work"
pairs=0
failures=0
for plain in "$dir"/*-plain.ps; do
  [ -s "$plain" ] || continue
  name=$(basename "$plain" -plain.ps)
  images="$dir/$name.ps"
  [ -s "$images" ] || { echo "$name: no $name.ps beside $name-plain.ps"; failures=$((failures + 1)); continue; }
  pairs=$((pairs + 1))
  for dpi in 300 600; do
    gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ppmraw -r$dpi -o "$work/$name-$dpi-image-%d.ppm" "$images" || exit 1
    gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=ppmraw -r$dpi -o "$work/$name-$dpi-plain-%d.ppm" "$plain" || exit 1
    count_image=$(ls "$work"/"$name-$dpi"-image-*.ppm | wc -l)
    count_plain=$(ls "$work"/"$name-$dpi"-plain-*.ppm | wc -l)
    if [ "$count_image" != "$count_plain" ]; then
      echo "$name at $dpi dpi: $count_image pages against $count_plain"
      failures=$((failures + 1))
      continue
    fi
    for page in $(seq 1 "$count_image"); do
      if ! cmp -s "$work/$name-$dpi-image-$page.ppm" "$work/$name-$dpi-plain-$page.ppm"; then
        echo "$name at $dpi dpi: page $page differs"
        failures=$((failures + 1))
      fi
    done
    echo "$name at $dpi dpi: $count_image pages compared"
  done
done
rm -rf "$work"
[ "$pairs" -gt 0 ] || { echo "no pairs of jobs in $dir" >&2; exit 1; }
[ "$failures" -eq 0 ] || { echo "$failures differences" >&2; exit 1; }
echo "all $pairs pairs print the same pixels"
