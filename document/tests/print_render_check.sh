#!/usr/bin/env bash
# Renders the PostScript job document_tests printed (labels.ps) with Ghostscript at 300 dpi and
# checks it against manifest.txt: every label's ink lies inside its place on its page, no ink lies
# outside the labels, and zbarimg reads the label's Code 128 and QR Code as that row's values.
#   print_render_check.sh <folder written by document_tests>
set -u
dir="${1:?usage: print_render_check.sh <folder>}"
for tool in gs zbarimg python3; do
  command -v "$tool" >/dev/null || { echo "missing $tool: install ghostscript zbar-tools python3" >&2; exit 1; }
done
[ -s "$dir/labels.ps" ] && [ -s "$dir/manifest.txt" ] || { echo "no print job in $dir" >&2; exit 1; }
work="$dir/render"
rm -rf "$work"
mkdir -p "$work"
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=png16m -r300 -o "$work/page%d.png" "$dir/labels.ps" || { echo "gs failed" >&2; exit 1; }
gs -q -dSAFER -dBATCH -dNOPAUSE -sDEVICE=pgmraw -r300 -o "$work/page%d.pgm" "$dir/labels.ps" || exit 1

python3 - "$dir/manifest.txt" "$work" <<'PY'
import os, subprocess, sys

manifest, work = sys.argv[1], sys.argv[2]
failures = []

def load(page):
    data = open(os.path.join(work, "page%d.pgm" % page), "rb").read()
    fields, pos = [], 0
    while len(fields) < 4:                      # magic, width, height, maxval (comments skipped)
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b"#":
            pos = data.index(b"\n", pos) + 1
            continue
        end = pos
        while not data[end:end + 1].isspace():
            end += 1
        fields.append(data[pos:end])
        pos = end
    return int(fields[1]), int(fields[2]), data[pos + 1:]

def ink_box(px, w, x0, y0, x1, y1):
    box = None
    for y in range(max(y0, 0), y1):
        row = px[y * w + max(x0, 0): y * w + min(x1, w)]
        if row.count(255) == len(row):
            continue
        left = len(row) - len(row.lstrip(b"\xff")) + max(x0, 0)
        right = len(row.rstrip(b"\xff")) + max(x0, 0)
        box = [left, y, right, y + 1] if box is None else [min(box[0], left), box[1], max(box[2], right), y + 1]
    return box

def pixels300(um):
    return 300 * um // 25400

# Where BuildBarcodeLabels (printhelpers.h) puts the objects inside a label: from 3 mm to 57 mm
# across and from 2 mm to 53 mm down. The first text line's box is 2 mm to 7 mm; the QR Code is
# centred in its box from 3 mm to 25 mm, so the leftmost ink starts before that box's middle.
AREA_LEFT, AREA_TOP, AREA_RIGHT, AREA_BOTTOM = pixels300(3000), pixels300(2000), pixels300(57000) + 1, pixels300(53000) + 1
FIRST_LEFT_MAX, FIRST_TOP_MAX = pixels300(14000), pixels300(7000)

labels = {}
for line in open(manifest):
    parts = line.split()
    if not parts or parts[0] != "LABEL":
        continue
    page, x, y, w, h = map(int, parts[1:6])
    labels.setdefault(page, []).append((x, y, w, h, parts[6], parts[7]))

# The gaps between labels, from their places: a label's ink is measured over its place widened by
# them (the neighbours' ink keeps its own inset), so ink that spills past the label is seen there
# and not cut off at the label's edge.
def gap(values, size):
    steps = [b - a for a, b in zip(values, values[1:]) if b - a > 0]
    return max(min(steps) - size, 0) if steps else 0
all_labels = [l for page in labels.values() for l in page]
gap_x = gap(sorted(set(l[0] for l in all_labels)), min([l[2] for l in all_labels] or [0]))
gap_y = gap(sorted(set(l[1] for l in all_labels)), min([l[3] for l in all_labels] or [0]))

pages = sorted(int(n[4:-4]) for n in os.listdir(work) if n.endswith(".pgm"))
if pages != sorted(labels):
    failures.append("pages rendered %s, labels on pages %s" % (pages, sorted(labels)))
checked = 0
reference = None
for page in sorted(labels):
    if page not in pages:
        continue
    w, h, px = load(page)
    blank = bytearray(px)
    for (x, y, lw, lh, code, qr) in labels[page]:
        box = ink_box(px, w, x - gap_x, y - gap_y, x + lw + gap_x, min(y + lh + gap_y, h))
        if box is None:
            failures.append("page %d: no label at %d,%d (%s)" % (page, x, y, code))
            continue
        # The ink lies inside the objects' area of the label, starts where the first objects do, and
        # every label's ink sits at the same place within its label (within 2 pixels).
        offset = (box[0] - x, box[1] - y)
        reference = reference or offset
        if (not (AREA_LEFT <= offset[0] <= FIRST_LEFT_MAX and AREA_TOP <= offset[1] <= FIRST_TOP_MAX)
                or box[2] > x + AREA_RIGHT or box[3] > y + AREA_BOTTOM):
            failures.append("page %d: %s ink %s outside its label at %d,%d" % (page, code, box, x, y))
        elif abs(offset[0] - reference[0]) > 2 or abs(offset[1] - reference[1]) > 2:
            failures.append("page %d: %s ink at +%d,+%d, first label's at +%d,+%d" % ((page, code) + offset + reference))
        crop = b"P5\n%d %d\n255\n" % (lw, lh) + b"".join(px[(y + r) * w + x:(y + r) * w + x + lw] for r in range(lh))
        path = os.path.join(work, "p%d_%s.pgm" % (page, code))
        open(path, "wb").write(crop)
        out = subprocess.run(["zbarimg", "--nodbus", "-q", path], capture_output=True, text=True).stdout.split()
        want = sorted(["CODE-128:" + code, "QR-Code:" + qr])
        if sorted(out) != want:
            failures.append("page %d: label %s decodes as %s" % (page, code, out))
        for r in range(y, y + lh):
            blank[r * w + x:r * w + x + lw] = b"\xff" * lw
        checked += 1
    stray = ink_box(bytes(blank), w, 0, 0, w, h)
    if stray is not None:
        failures.append("page %d: ink outside the labels at %s" % (page, stray))
    # The whole page decodes too (the PNG rendering).
    found = subprocess.run(["zbarimg", "--nodbus", "-q", os.path.join(work, "page%d.png" % page)],
                           capture_output=True, text=True).stdout.split()
    if len(found) != 2 * len(labels[page]):
        failures.append("page %d: %d symbols on the page, %d labels" % (page, len(found), len(labels[page])))

for f in failures:
    print("FAIL", f)
print("%d labels checked, %d failures" % (checked, len(failures)))
sys.exit(1 if failures or checked == 0 else 0)
PY
