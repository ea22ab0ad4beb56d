#!/usr/bin/env bash
# Times zint (Debian package zint) encoding the texts barcode_bench.exe wrote, to memory
# (--dump: the module rows on stdout, no file), and prints symbols per second per symbology.
#   bench/barcode_bench_zint.sh <folder holding barcode_bench_texts/>
set -euo pipefail
dir="${1:-.}/barcode_bench_texts"
command -v zint >/dev/null || { echo "zint is not installed" >&2; exit 1; }
total_symbols=0
total_ns=0
while read -r stem options; do
  file="$dir/$stem.txt"
  type="${stem#*_}"
  n=$(wc -l < "$file")
  start=$(date +%s%N)
  # shellcheck disable=SC2086
  zint -b "$type" $options --batch --dump -i "$file" > /dev/null
  end=$(date +%s%N)
  ns=$((end - start))
  total_symbols=$((total_symbols + n))
  total_ns=$((total_ns + ns))
  awk -v t="$type" -v n="$n" -v ns="$ns" 'BEGIN { printf "  zint -b %-3s %7d symbols %9.0f symbols/s\n", t, n, n / (ns / 1e9) }'
done < "$dir/options.txt"
awk -v n="$total_symbols" -v ns="$total_ns" 'BEGIN { printf "zint encode to memory: %.0f symbols/s (%d symbols)\n", n / (ns / 1e9), n }'
