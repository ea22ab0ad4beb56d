# Source this file: sets up the Wine environment for one build folder and warms it.
#   source scripts/wineenv.sh [build-dir]
# A 32-bit prefix lives inside the build folder; LANG is pinned so that locale-dependent
# behaviour (decimal separator, measurement system) is the same on every machine.
_korvelta_build="${1:-${BUILD_DIR:-build}}"
_korvelta_build="$(cd "$_korvelta_build" 2>/dev/null && pwd || echo "$PWD/$_korvelta_build")"
export WINEARCH=win32
export WINEPREFIX="$_korvelta_build/wineprefix"
export WINEDEBUG=-all
export LANG=en_US.UTF-8
# Tests set LC_ALL per test (Wine reads the locale from it); here it stays unset so that the
# shell does not complain about a glibc locale the machine need not have.
unset LC_ALL
# No Mono/Gecko install prompts, no HTML help engine.
export WINEDLLOVERRIDES="mscoree,mshtml="
mkdir -p "$WINEPREFIX"
if [ ! -f "$WINEPREFIX/.korvelta-ready" ]; then
  wineboot -i >/dev/null 2>&1 </dev/null || true
  wineserver -w >/dev/null 2>&1 </dev/null || true
  # Without a window manager every top-level window would wait for one; a crash must fail a test, not wait on a dialog.
  wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1 </dev/null || true
  wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null || true
  wineserver -w >/dev/null 2>&1 </dev/null || true
  touch "$WINEPREFIX/.korvelta-ready"
fi
# Keep one wineserver and Wine's services alive so that test processes start in a tenth of a second
# and do not inherit ctest's output pipes.
wineserver -p >/dev/null 2>&1 </dev/null || true
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
unset _korvelta_build
