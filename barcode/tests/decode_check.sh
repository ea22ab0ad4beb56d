#!/usr/bin/env bash
# Reads back the symbols barcode_tests drew: every BMP of manifest.txt with zbarimg and ZXingReader
# (the decoded bytes must equal what was meant, check characters included), and every QR Code
# matrix of qrmanifest.txt against the qrencode command's ASCII output for the same settings, and
# every QR Code of qrdecode.txt (each version and error level) with both decoders, level included.
# encodable.txt lists more pictures to read (IMG) and pictures of texts a symbology refused
# (NONE), in which neither decoder may find any symbol.
#   decode_check.sh <folder written by barcode_tests>
set -u
dir="${1:?usage: decode_check.sh <image folder>}"
for tool in zbarimg ZXingReader qrencode; do
  if ! command -v "$tool" >/dev/null; then
    echo "missing $tool: install zbar-tools zxing-cpp-tools qrencode" >&2
    exit 1
  fi
done
[ -s "$dir/manifest.txt" ] && [ -s "$dir/qrmanifest.txt" ] && [ -s "$dir/qrdecode.txt" ] &&
  [ -s "$dir/encodable.txt" ] ||
  { echo "no manifests in $dir" >&2; exit 1; }

hex() { od -An -tx1 -v | tr -d ' \n'; }
bytes_of() { printf "$(printf '%s' "$1" | sed 's/../\\x&/g')"; }

failures=0
checked=0
fail() { echo "FAIL $*"; failures=$((failures + 1)); }

while read -r kind file zbartype zxformat identifier want; do
  [ "$kind" = IMG ] || continue
  path="$dir/$file"
  if [ "$zbartype" != - ]; then
    opts=(--nodbus -q)
    [ "$zbartype" = UPC-A ] && opts+=(-Supca.enable)
    [ "$zbartype" = I2/5 ] && opts+=(-Si25.min-length=2)
    got=$(zbarimg "${opts[@]}" "$path" 2>/dev/null | hex)
    expect="$(printf '%s:' "$zbartype" | hex)${want}0a"
    [ "$got" = "$expect" ] || fail "zbarimg $file: got $got, want $expect"
    checked=$((checked + 1))
  fi
  if [ "$zxformat" != - ]; then
    out=$(ZXingReader -format "$zxformat" "$path" 2>&1)
    got=$(printf '%s\n' "$out" | sed -n 's/^Bytes: *//p' | head -n 1 | tr -d ' ' | tr 'A-F' 'a-f')
    [ "$got" = "$want" ] || fail "ZXingReader $file: got '$got', want '$want'"
    if [ "$identifier" != - ]; then
      id=$(printf '%s\n' "$out" | sed -n 's/^Identifier: *//p' | head -n 1)
      [ "$id" = "$identifier" ] || fail "ZXingReader $file: identifier '$id', want '$identifier'"
    fi
    mirrored=$(printf '%s\n' "$out" | sed -n 's/^IsMirrored: *//p' | head -n 1)
    [ -z "$mirrored" ] || [ "$mirrored" = false ] || fail "ZXingReader $file: mirrored"
    checked=$((checked + 1))
  fi
done < <(cat "$dir/manifest.txt" "$dir/encodable.txt")

refused=0
while read -r kind file; do
  [ "$kind" = NONE ] || continue
  path="$dir/$file"
  zbarimg --nodbus -q "$path" >/dev/null 2>&1
  rc=$?
  [ "$rc" -eq 4 ] || fail "zbarimg $file: found a symbol (exit $rc) where none may be"
  got=$(ZXingReader -errors -bytes "$path" 2>/dev/null | hex)
  [ -z "$got" ] || fail "ZXingReader $file: read '$got' where no symbol may be"
  checked=$((checked + 2))
  refused=$((refused + 1))
done < "$dir/encodable.txt"
[ "$refused" -gt 0 ] || fail "no pictures of refused texts in encodable.txt"

while read -r kind file version level margin casesensitive text; do
  [ "$kind" = QRASCII ] || continue
  opts=(-v "$version" -l "$level" -m "$margin" -t ASCII -o -)
  [ "$casesensitive" = 0 ] && opts+=(-i)
  if ! qrencode "${opts[@]}" "$(bytes_of "$text")" | cmp -s - "$dir/$file"; then
    fail "qrencode ${opts[*]}: matrix differs from $file"
  fi
  checked=$((checked + 1))
done < "$dir/qrmanifest.txt"

qr_images=0
while read -r kind file level want; do
  [ "$kind" = QRIMG ] || continue
  path="$dir/$file"
  got=$(zbarimg --nodbus -q "$path" 2>/dev/null | hex)
  expect="$(printf 'QR-Code:' | hex)${want}0a"
  [ "$got" = "$expect" ] || fail "zbarimg $file: got $got, want $expect"
  out=$(ZXingReader -format QRCode "$path" 2>&1)
  got=$(printf '%s\n' "$out" | sed -n 's/^Bytes: *//p' | head -n 1 | tr -d ' ' | tr 'A-F' 'a-f')
  [ "$got" = "$want" ] || fail "ZXingReader $file: got '$got', want '$want'"
  ec=$(printf '%s\n' "$out" | sed -n 's/^EC Level: *//p' | head -n 1)
  [ "$ec" = "$level" ] || fail "ZXingReader $file: error level '$ec', want '$level'"
  checked=$((checked + 2))
  qr_images=$((qr_images + 1))
done < "$dir/qrdecode.txt"
[ "$qr_images" -gt 0 ] || fail "no QR Code images in qrdecode.txt"

echo "$checked checks, $failures failures"
[ "$failures" -eq 0 ] && [ "$checked" -gt 0 ]
