#!/usr/bin/env bash
# Runs scripts/fetch-qrencode.sh against a fake apt-get that behaves like a mirror in trouble:
# an update that fails once, one that always reports index errors, an archive that is down,
# a tarball in the cache cut short. Prints PASS or FAIL per case; non-zero exit on any FAIL.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
fetch="$here/../fetch-qrencode.sh"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# The fake apt-get. FAKE_MODE says how the archive behaves; FAKE_STATE collects what it was
# asked ("calls"), the source list it was given ("sources/") and whether an index "arrived".
mkdir -p "$work/bin"
cat > "$work/bin/apt-get" <<'FAKE'
#!/usr/bin/env bash
state="$FAKE_STATE"
parts="" cmd=""
while [ $# -gt 0 ]; do
  case "$1" in
    -o) case "$2" in Dir::Etc::sourceparts=*) parts="${2#*=}";; esac; shift 2;;
    update|source) cmd="$1"; shift;;
    *) shift;;
  esac
done
echo "$cmd" >> "$state/calls"
n=$(grep -cx "$cmd" "$state/calls")
mirror_error() {
  echo "E: Failed to fetch http://deb.example/debian-security/dists/bookworm-security/main/binary-i386/Packages.xz  File has unexpected size (29012 != 28876). Mirror sync in progress? [IP: 192.0.2.1 80]"
  echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
}
# Writes a real, small upstream tarball into the current folder; "cut" writes half of one.
serve() {
  local stage
  stage=$(mktemp -d)
  mkdir -p "$stage/qrencode-4.1.1"
  echo '/* qrencode */' > "$stage/qrencode-4.1.1/qrencode.h"
  head -c 20000 /dev/urandom > "$stage/qrencode-4.1.1/qrencode.c"  # does not compress away
  tar -czf qrencode_4.1.1.orig.tar.gz -C "$stage" qrencode-4.1.1
  rm -rf "$stage"
  if [ "${1:-}" = cut ]; then
    truncate -s $(( $(stat -c %s qrencode_4.1.1.orig.tar.gz) / 2 )) qrencode_4.1.1.orig.tar.gz
  fi
  echo "Download complete and in download only mode"
}
no_source() { echo "E: Unable to find a source package for qrencode"; exit 100; }
if [ "$cmd" = update ]; then
  rm -rf "$state/sources"; cp -r "$parts" "$state/sources"
  case "$FAKE_MODE" in
    flaky-update) [ "$n" -eq 1 ] && { mirror_error; exit 100; }; touch "$state/index";;
    index-errors) touch "$state/index"; mirror_error; exit 100;;
    down) mirror_error; exit 100;;
    *) touch "$state/index";;
  esac
  exit 0
fi
[ -f "$state/index" ] || no_source
case "$FAKE_MODE" in
  cut-then-whole) if [ "$n" -eq 1 ]; then serve cut; else serve; fi;;
  *) serve;;
esac
FAKE
chmod +x "$work/bin/apt-get"

# The machine's apt folder as the script sees it: one-line entries in every form, deb822 stanzas.
mkdir -p "$work/etc/sources.list.d"
cat > "$work/etc/sources.list" <<'LIST'
# deb http://commented.example/debian bookworm main
deb http://deb.example/debian bookworm main
	deb   [arch=amd64,i386 signed-by=/usr/share/keyrings/k.gpg] http://deb.example/debian-security bookworm-security main
deb-src http://deb.example/debian bookworm main
debian-is-not-an-entry
LIST
cat > "$work/etc/sources.list.d/extra.sources" <<'SRC'
Types: deb deb-src
URIs: http://deb.example/debian
Suites: bookworm-updates
Components: main

types: deb
URIs: http://other.example/repo
Suites: stable
Components: main
Architectures: amd64 i386
SRC

failures=0
pass() { echo "PASS: $1"; }
fail() { echo "FAIL: $1: $2"; failures=$((failures + 1)); }

# Runs the fetch in a fresh case folder; sets $dest, $state, $out, $err, $rc.
run_case() {
  local mode="$1" name="$2"
  dest="$work/$name/third_party" state="$work/$name/state"
  mkdir -p "$dest" "$state"
  : > "$state/calls"
  out="$work/$name/out" err="$work/$name/err"
  FAKE_MODE="$mode" FAKE_STATE="$state" APT_GET="$work/bin/apt-get" APT_ETC="$work/etc" \
    FETCH_ATTEMPTS=3 FETCH_PAUSE=0 bash "$fetch" "$dest" >"$out" 2>"$err"
  rc=$?
}
calls() { grep -cx "$1" "$state/calls"; }
fetched() { [ -f "$dest/qrencode/qrencode.h" ] && [ ! -e "$dest/unpack" ]; }
# A cached tarball as the next build would find it: present and whole.
cache_whole() { tar -tzf "$dest/download/qrencode_4.1.1.orig.tar.gz" >/dev/null 2>&1; }

name="the first update fails, the second succeeds"
run_case flaky-update flaky
if [ $rc -ne 0 ]; then fail "$name" "exit $rc: $(cat "$err")"
elif ! fetched; then fail "$name" "no qrencode.h unpacked"
elif [ "$(calls update)" -ne 2 ]; then fail "$name" "expected 2 updates, got $(calls update)"
elif ! cache_whole; then fail "$name" "the tarball was not kept in the download folder"
else pass "$name"; fi

name="the update reports index errors but the source is served"
run_case index-errors index
if [ $rc -ne 0 ]; then fail "$name" "exit $rc: $(cat "$err")"
elif ! fetched; then fail "$name" "no qrencode.h unpacked"
elif [ "$(calls update)" -ne 1 ] || [ "$(calls source)" -ne 1 ]; then
  fail "$name" "expected one update and one download, got: $(tr '\n' ' ' < "$state/calls")"
else pass "$name"; fi

name="the archive always fails"
run_case down down
if [ $rc -eq 0 ]; then fail "$name" "exit 0 although nothing was fetched"
elif ! grep -q '^fetch-qrencode: could not fetch the qrencode source package from the Debian package archive;.*not the project\.$' "$err"
  then fail "$name" "no clear message: $(cat "$err")"
elif ! grep -A20 'not the project' "$err" | grep -q '^  E: Unable to find a source package for qrencode'
  then fail "$name" "apt's error is not shown below the message: $(cat "$err")"
elif grep -A20 'not the project' "$err" | grep -q 'Download complete'
  then fail "$name" "progress lines shown in place of the errors"
elif [ "$(calls update)" -ne 3 ]; then fail "$name" "expected 3 attempts, got $(calls update)"
elif [ -e "$dest/qrencode" ] || [ -e "$dest/unpack" ]; then fail "$name" "something was left unpacked"
else pass "$name"; fi

name="a truncated tarball in the cache is fetched again"
mkdir -p "$work/cut/third_party/download"
( cd "$work/cut/third_party/download" &&
  mkdir -p s/qrencode-4.1.1 && echo '/* stale */' > s/qrencode-4.1.1/qrencode.h &&
  head -c 20000 /dev/urandom > s/qrencode-4.1.1/qrencode.c &&
  tar -czf qrencode_4.1.1.orig.tar.gz -C s qrencode-4.1.1 && rm -rf s &&
  truncate -s 8000 qrencode_4.1.1.orig.tar.gz )
run_case any cut
if [ $rc -ne 0 ]; then fail "$name" "exit $rc: $(cat "$err")"
elif ! fetched; then fail "$name" "no qrencode.h unpacked"
elif ! grep -q 'damaged; fetching it again' "$err"; then fail "$name" "the damage was not reported"
elif [ "$(calls source)" -ne 1 ]; then fail "$name" "expected one download, got $(calls source)"
elif ! cache_whole; then fail "$name" "the cache still holds a damaged tarball"
elif ! grep -qx '/\* qrencode \*/' "$dest/qrencode/qrencode.h"
  then fail "$name" "qrencode.h is not the fetched one"
else pass "$name"; fi

name="a whole tarball in the cache is reused without the archive"
rm -rf "$dest/qrencode"
: > "$state/calls"
FAKE_MODE=down FAKE_STATE="$state" APT_GET="$work/bin/apt-get" APT_ETC="$work/etc" \
  FETCH_ATTEMPTS=3 FETCH_PAUSE=0 bash "$fetch" "$dest" >"$out" 2>"$err"
rc=$?
if [ $rc -ne 0 ]; then fail "$name" "exit $rc: $(cat "$err")"
elif ! fetched; then fail "$name" "no qrencode.h unpacked"
elif [ -s "$state/calls" ]; then fail "$name" "apt-get was called: $(tr '\n' ' ' < "$state/calls")"
elif ! grep -q '(kept)' "$out"; then fail "$name" "not reported as kept: $(cat "$out")"
else pass "$name"; fi

name="a download that arrives cut short is fetched again, never used half"
run_case cut-then-whole half
if [ $rc -ne 0 ]; then fail "$name" "exit $rc: $(cat "$err")"
elif ! fetched; then fail "$name" "no qrencode.h unpacked"
elif [ "$(calls source)" -ne 2 ]; then fail "$name" "expected two downloads, got $(calls source)"
elif ! cache_whole; then fail "$name" "the cache holds a damaged tarball"
else pass "$name"; fi

name="the private source list asks for source indexes only"
expected_list='deb-src http://deb.example/debian bookworm main
deb-src [arch=amd64,i386 signed-by=/usr/share/keyrings/k.gpg] http://deb.example/debian-security bookworm-security main'
state="$work/flaky/state"
if [ ! -d "$state/sources" ]; then fail "$name" "the fake apt-get saw no source list"
elif [ "$(cat "$state"/sources/*.list 2>/dev/null)" != "$expected_list" ]; then
  fail "$name" "one-line list: $(cat "$state"/sources/*.list 2>&1)"
elif [ "$(cat "$state"/sources/*.sources | grep -ci '^types:')" -ne 2 ] \
     || cat "$state"/sources/*.sources | grep -i '^types:' | grep -vqx 'Types: deb-src'; then
  fail "$name" "deb822 list: $(cat "$state"/sources/*.sources)"
elif grep -rqE '^[[:space:]]*deb[[:space:]]' "$state/sources"; then
  fail "$name" "a binary entry is left: $(grep -rE '^[[:space:]]*deb[[:space:]]' "$state/sources")"
elif ! cat "$state"/sources/*.sources | grep -qx 'URIs: http://other.example/repo'; then
  fail "$name" "the stanzas' other fields were not kept"
else pass "$name"; fi

if [ $failures -ne 0 ]; then
  echo "fetch-qrencode-test: $failures case(s) failed" >&2
  exit 1
fi
echo "fetch-qrencode-test: all cases passed"
