#!/usr/bin/env bash
# Fetches Debian's qrencode source package into $1/qrencode, once.
# A private source list adds deb-src without touching the machine's own apt set-up. Only source
# indexes are asked for: a binary index caught in a mirror's sync must not stop the build.
# The tarball is kept in $1/download and reused; one that does not unpack is fetched again.
#   APT_GET (default apt-get), FETCH_ATTEMPTS (default 4) and FETCH_PAUSE (seconds, default 3)
#   can be set; the script's test uses them.
set -euo pipefail
dest="$1"
[ -f "$dest/qrencode/qrencode.h" ] && exit 0
APT_GET="${APT_GET:-apt-get}"
attempts="${FETCH_ATTEMPTS:-4}"
pause="${FETCH_PAUSE:-3}"
mkdir -p "$dest/apt/sources" "$dest/apt/lists/partial" "$dest/download"
dest="$(cd "$dest" && pwd)"
log="$dest/download/apt.log"

fail() {
  echo "fetch-qrencode: $1 from the Debian package archive; the archive or the network is at fault, not the project." >&2
  [ -s "$log" ] && sed 's/^/  /' "$log" | tail -n 20 >&2
  exit 1
}

write_sources() {
  rm -f "$dest"/apt/sources/*
  local src_list="$dest/apt/sources/debian-src.sources" f
  : > "$src_list"
  shopt -s nullglob
  for f in /etc/apt/sources.list.d/*.sources; do
    sed -E 's/^Types:.*/Types: deb-src/' "$f" >> "$src_list"
    echo >> "$src_list"
  done
  for f in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    grep -E '^deb ' "$f" | sed -E 's/^deb /deb-src /' > "$dest/apt/sources/$(basename "$f").list" || true
  done
  shopt -u nullglob
}

# Unpacks $1 into $dest/qrencode; fails without leaving anything half unpacked.
unpack() {
  rm -rf "$dest/unpack"
  mkdir -p "$dest/unpack"
  if ! tar -xf "$1" -C "$dest/unpack" 2>>"$log"; then
    rm -rf "$dest/unpack"
    return 1
  fi
  local dir
  dir=$(ls -d "$dest"/unpack/qrencode-* 2>/dev/null | head -n 1)
  if [ -z "$dir" ] || [ ! -f "$dir/qrencode.h" ]; then
    rm -rf "$dest/unpack"
    return 1
  fi
  rm -rf "$dest/qrencode"
  mv "$dir" "$dest/qrencode"
  rm -rf "$dest/unpack"
}

cached_tarball() { ls "$dest"/download/qrencode_*.orig.tar.* 2>/dev/null | head -n 1 || true; }

: > "$log"
tarball=$(cached_tarball)
if [ -n "$tarball" ]; then
  if unpack "$tarball"; then
    echo "qrencode source: $(basename "$tarball") (kept)"
    exit 0
  fi
  echo "fetch-qrencode: $(basename "$tarball") is damaged; fetching it again" >&2
  rm -f "$tarball"
fi

write_sources
opts=(-o "Dir::Etc::sourcelist=/dev/null" -o "Dir::Etc::sourceparts=$dest/apt/sources"
      -o "Dir::State::Lists=$dest/apt/lists" -o "Debug::NoLocking=1")
fetched=""
for attempt in $(seq 1 "$attempts"); do
  # An update that reports errors may still have brought the index that is needed: the
  # download decides (apt checks the tarball against the signed index).
  "$APT_GET" "${opts[@]}" update -q >>"$log" 2>&1 \
    || echo "fetch-qrencode: apt-get update reported errors (attempt $attempt of $attempts)" >&2
  rm -f "$dest"/download/qrencode_*
  if (cd "$dest/download" && "$APT_GET" "${opts[@]}" source --tar-only --download-only qrencode >>"$log" 2>&1); then
    tarball=$(cached_tarball)
    if [ -n "$tarball" ] && unpack "$tarball"; then
      fetched=yes
      break
    fi
    echo "fetch-qrencode: the downloaded tarball does not unpack (attempt $attempt of $attempts)" >&2
    rm -f "$dest"/download/qrencode_*
  else
    echo "fetch-qrencode: downloading the qrencode source failed (attempt $attempt of $attempts)" >&2
  fi
  [ "$attempt" -lt "$attempts" ] && sleep "$pause"
done
[ -n "$fetched" ] || fail "could not fetch the qrencode source package"
echo "qrencode source: $(basename "$tarball")"
