#!/usr/bin/env bash
# Fetches Debian's qrencode source package into $1/qrencode, once.
# A private source list adds deb-src without touching the machine's own apt set-up.
set -euo pipefail
dest="$1"
[ -f "$dest/qrencode/qrencode.h" ] && exit 0
mkdir -p "$dest/apt/sources" "$dest/apt/lists/partial" "$dest/download"
dest="$(cd "$dest" && pwd)"
src_list="$dest/apt/sources/debian-src.sources"
: > "$src_list"
shopt -s nullglob
for f in /etc/apt/sources.list.d/*.sources; do
  sed -E 's/^Types:.*/Types: deb deb-src/' "$f" >> "$src_list"
  echo >> "$src_list"
done
for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
  [ -f "$f" ] || continue
  grep -E '^deb ' "$f" | sed -E 's/^deb /deb-src /' > "$dest/apt/sources/$(basename "$f").list" || true
done
opts=(-o "Dir::Etc::sourcelist=/dev/null" -o "Dir::Etc::sourceparts=$dest/apt/sources"
      -o "Dir::State::Lists=$dest/apt/lists" -o "Debug::NoLocking=1")
apt-get "${opts[@]}" update -q >/dev/null
(cd "$dest/download" && apt-get "${opts[@]}" source --tar-only --download-only qrencode >/dev/null)
tarball=$(ls "$dest"/download/qrencode_*.orig.tar.* | head -n 1)
rm -rf "$dest/qrencode" "$dest/unpack"
mkdir -p "$dest/unpack"
tar -xf "$tarball" -C "$dest/unpack"
mv "$dest/unpack"/qrencode-* "$dest/qrencode"
rm -rf "$dest/unpack"
echo "qrencode source: $(basename "$tarball")"
