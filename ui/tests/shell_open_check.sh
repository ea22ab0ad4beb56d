#!/usr/bin/env bash
# Opening projects from the shell, in a Wine prefix of its own made for this check: after one
# start of the program, "wine start /unix a.proj" starts it with a.proj open, and a second
# "wine start /unix b.proj" while it runs leaves one process with two document windows.
#   shell_open_check.sh <KORVELTA-PRINT.exe> <shellopen_probe.exe> <build folder>
# Every step has a time limit; the prefix, its wineserver and the program go at the end.
set -u
exe="${1:?usage: shell_open_check.sh <program> <probe> <build folder>}"
probe="${2:?usage: shell_open_check.sh <program> <probe> <build folder>}"
build="${3:?usage: shell_open_check.sh <program> <probe> <build folder>}"
here="$(cd "$(dirname "$0")" && pwd)"

if grep -q 'toolchain-mingw64' "$build/CMakeCache.txt" 2>/dev/null; then
  export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64
  wine=/usr/lib/wine/wine64
else
  export WINEARCH=win32
  wine=wine
fi
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
work="$(mktemp -d /tmp/korvelta-shell-open.XXXXXX)"
export WINEPREFIX="$work/prefix"
mkdir -p "$WINEPREFIX"

KORVELTA_XVFB_PID=""
if [ -z "${DISPLAY:-}" ]; then
  # shellcheck source=/dev/null
  source "$here/../../scripts/xvfb.sh"
fi
program_pid=""
cleanup() {
  [ -n "$program_pid" ] && kill "$program_pid" 2>/dev/null
  timeout 30 wineserver -k >/dev/null 2>&1 </dev/null
  timeout 30 wineserver -w >/dev/null 2>&1 </dev/null
  [ -n "$KORVELTA_XVFB_PID" ] && kill "$KORVELTA_XVFB_PID" 2>/dev/null
  rm -rf "$work"
}
trap cleanup EXIT

fail() { echo "shell open check: $*" >&2; exit 1; }
run() { timeout "$1" "$wine" "${@:2}" </dev/null 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }
winpath() { printf 'Z:%s' "${1//\//\\}"; }

echo "making a fresh prefix in $WINEPREFIX"
timeout 180 "$wine" wineboot -i >/dev/null 2>&1 </dev/null || fail "wineboot did not finish"
run 60 reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null
run 60 reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null
run 60 reg query 'HKCR\.proj' >/dev/null && fail "the fresh prefix knows .proj already"

run 60 "$probe" make "$(winpath "$work/a.proj")" || fail "could not write a.proj"
run 60 "$probe" make "$(winpath "$work/b.proj")" || fail "could not write b.proj"

echo "one start of the program registers the project type"
"$wine" "$exe" </dev/null >/dev/null 2>&1 &
program_pid=$!
run 90 "$probe" wait 1 60 || fail "the program's first start shows no window"
run 60 "$probe" close 45 || fail "the program did not close"
timeout 30 tail --pid="$program_pid" -f /dev/null
program_pid=""
registered="$(run 60 reg query 'HKCR\.proj')"
echo "$registered" | grep -q 'OstrelindSoft.Project' || fail "HKCR\\.proj is not registered: $registered"
command="$(run 60 reg query 'HKCR\OstrelindSoft.Project\shell\open\ddeexec')"
echo "$command" | grep -qF '[open("%1")]' || fail "no ddeexec beside the open command: $command"

echo "wine start /unix a.proj"
run 120 start /unix "$work/a.proj" || fail "wine start a.proj failed"
state="$(run 90 "$probe" wait 1 60)" || fail "a.proj did not open in one program: $state"
echo "$state"
echo "$state" | grep -qx 'document a.proj' || fail "the document window is not a.proj"

echo "wine start /unix b.proj while it runs"
run 120 start /unix "$work/b.proj" || fail "wine start b.proj failed"
state="$(run 90 "$probe" wait 2 60)" || fail "b.proj did not become a second window of the same program: $state"
echo "$state"
echo "$state" | grep -qx 'document a.proj' || fail "a.proj is gone"
echo "$state" | grep -qx 'document b.proj' || fail "b.proj is not there"

run 60 "$probe" close 45 || fail "the program did not close at the end"
echo "shell open check passed"
