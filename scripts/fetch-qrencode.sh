#!/usr/bin/env bash
# Fetches Debian's qrencode source package into $1/qrencode, once.
# A private source list adds deb-src without touching the machine's own apt set-up. Only source
# indexes are asked for: a binary index caught in a mirror's sync must not stop the build.
# The tarball is kept in $1/download and reused; one that does not unpack is fetched again.
#   APT_GET (default apt-get), APT_ETC (the machine's apt folder, default /etc/apt),
#   FETCH_ATTEMPTS (default 4) and FETCH_PAUSE (seconds, default 3) can be set; the script's
#   test uses them.
set -euo pipefail
if [ $# -ne 1 ] || [ -z "$1" ]; then
  echo "usage: fetch-qrencode.sh <third-party folder>" >&2
  exit 2
fi
dest="$1"
[ -f "$dest/qrencode/qrencode.h" ] && exit 0
APT_GET="${APT_GET:-apt-get}"
APT_ETC="${APT_ETC:-/etc/apt}"
attempts="${FETCH_ATTEMPTS:-4}"
pause="${FETCH_PAUSE:-3}"
mkdir -p "$dest/apt/sources" "$dest/apt/lists/partial" "$dest/download"
dest="$(cd "$dest" && pwd)"
log="$dest/download/apt.log"   # everything apt and tar said, all attempts
last="$dest/download/apt-last.log"   # what apt said in the last attempt

fail() {
  echo "fetch-qrencode: $1 from the Debian package archive; the archive or the network is at fault, not the project." >&2
  # apt's own errors say which file and which mirror; its progress lines only bury them.
  if [ -s "$last" ]; then
    local errors
    errors=$(grep -E '^(E|W|Err):' "$last" || true)
    if [ -n "$errors" ]; then
      printf '%s\n' "$errors" | tail -n 20 | sed 's/^/  /' >&2
    else
      tail -n 20 "$last" | sed 's/^/  /' >&2
    fi
  fi
  exit 1
}

# Copies the machine's sources as source-only entries. Field names of deb822 files are not
# case-sensitive; one-line entries may be indented, use tabs or carry options in brackets.
# Entries that were deb-src already stay; the duplicates apt would warn of are dropped.
write_sources() {
  rm -f "$dest"/apt/sources/*
  local f
  shopt -s nullglob
  for f in "$APT_ETC"/sources.list.d/*.sources; do
    { sed -E 's/^[Tt][Yy][Pp][Ee][Ss][[:space:]]*:.*$/Types: deb-src/' "$f"; echo; } \
      > "$dest/apt/sources/$(basename "$f")"
  done
  for f in "$APT_ETC/sources.list" "$APT_ETC"/sources.list.d/*.list; do
    [ -f "$f" ] || continue
    sed -nE 's/^[[:space:]]*deb(-src)?[[:space:]]+/deb-src /p' "$f" | awk '!seen[$0]++' \
      > "$dest/apt/sources/$(basename "$f")"
  done
  shopt -u nullglob
}

# Unpacks $1 into $dest/qrencode; fails without leaving anything half unpacked.
unpack() {
  rm -rf "$dest/unpack"
  mkdir -p "$dest/unpack"
  if ! tar -xf "$1" -C "$dest/unpack" >>"$log" 2>&1; then
    rm -rf "$dest/unpack"
    return 1
  fi
  local dir
  dir=$(ls -d "$dest"/unpack/qrencode-* 2>/dev/null | head -n 1 || true)
  if [ -z "$dir" ] || [ ! -f "$dir/qrencode.h" ]; then
    rm -rf "$dest/unpack"
    return 1
  fi
  rm -rf "$dest/qrencode"
  mv "$dir" "$dest/qrencode"
  rm -rf "$dest/unpack"
}

# The upstream tarball only: not its signature (.asc) nor a file apt set aside (.FAILED).
cached_tarball() {
  local f
  for f in "$dest"/download/qrencode_*.orig.tar.{gz,xz,bz2}; do
    [ -f "$f" ] && { echo "$f"; return; }
  done
  true
}

: > "$log"
: > "$last"
tarball=$(cached_tarball)
if [ -n "$tarball" ]; then
  if unpack "$tarball"; then
    echo "qrencode source: $(basename "$tarball") (kept)"
    exit 0
  fi
  echo "fetch-qrencode: $(basename "$tarball") is damaged; fetching it again" >&2
fi

write_sources
opts=(-o "Dir::Etc::sourcelist=/dev/null" -o "Dir::Etc::sourceparts=$dest/apt/sources"
      -o "Dir::State::Lists=$dest/apt/lists" -o "Debug::NoLocking=1")
fetched=""
for attempt in $(seq 1 "$attempts"); do
  : > "$last"
  # An update that reports errors may still have brought the index that is needed: the
  # download decides (apt checks the tarball against the signed index).
  if ! "$APT_GET" "${opts[@]}" update -q >>"$last" 2>&1; then
    echo "fetch-qrencode: apt-get update reported errors (attempt $attempt of $attempts); trying the download anyway" >&2
  fi
  rm -f "$dest"/download/qrencode_*
  if (cd "$dest/download" && "$APT_GET" "${opts[@]}" source --tar-only --download-only qrencode >>"$last" 2>&1); then
    tarball=$(cached_tarball)
    if [ -n "$tarball" ] && unpack "$tarball"; then
      fetched=yes
    else
      echo "fetch-qrencode: the downloaded tarball does not unpack (attempt $attempt of $attempts)" >&2
      echo "E: the downloaded qrencode tarball is missing or does not unpack" >>"$last"
      rm -f "$dest"/download/qrencode_*
    fi
  else
    echo "fetch-qrencode: downloading the qrencode source failed (attempt $attempt of $attempts)" >&2
  fi
  cat "$last" >>"$log"
  [ -n "$fetched" ] && break
  if [ "$attempt" -lt "$attempts" ]; then sleep "$pause"; fi
done
[ -n "$fetched" ] || fail "could not fetch the qrencode source package"
echo "qrencode source: $(basename "$tarball")"
