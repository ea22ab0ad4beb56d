#!/usr/bin/env bash
# Import benchmark: a 65,536-row x 26-column Excel 97 workbook (xlwt) and a 100,000-row
# delimited text; the same workbook read by xlrd for comparison. Usage: bench/import_bench.sh [build]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-${BUILD_DIR:-build}}"
data="$build/bench/importdata"
mkdir -p "$data"
python=/usr/bin/python3
if [ ! -s "$data/big.xls" ]; then
  "$python" - "$data" <<'PY'
import sys, xlwt
out = sys.argv[1]
book = xlwt.Workbook(encoding='utf-8')
sheet = book.add_sheet('Big')
two = xlwt.easyxf(num_format_str='0.00')
for r in range(65536):
    row = sheet.row(r)
    for c in range(26):
        k = c % 4
        if k == 0:
            row.write(c, 'text %d %d' % (r % 5000, c))
        elif k == 1:
            row.write(c, r * 26 + c)
        elif k == 2:
            row.write(c, r / 7.0, two)
        else:
            row.write(c, 4006381333931 + r)
    if r % 4096 == 0:
        sheet.flush_row_data()
book.save(out + '/big.xls')
with open(out + '/big.csv', 'wb') as f:
    for r in range(100000):
        f.write(('%d;"name %d";%d.5;K\xf6ln;"a ""q"" b";x;y;z\r\n' % (r, r, r)).encode('cp1252'))
PY
fi
cmake --build "$build" --target import_bench >/dev/null
# shellcheck source=/dev/null
source scripts/wineenv.sh "$build" >/dev/null 2>&1
echo "xlrd 1.2.0 reading the workbook:"
"$python" - "$data/big.xls" <<'PY'
import sys, time, xlrd
t = time.perf_counter()
book = xlrd.open_workbook(sys.argv[1])
s = book.sheet_by_index(0)
print('xlrd: %d rows, %.3f s' % (s.nrows, time.perf_counter() - t))
PY
win() { echo "Z:$(realpath "$1" | tr / '\\')"; }
wine "$build/bench/import_bench.exe" "$(win "$data/big.xls")" "$(win "$data/big.csv")"
