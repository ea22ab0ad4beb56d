# Source this file: sets up the Wine environment for one build folder and warms it.
#   source scripts/wineenv.sh [build-dir]
# A 32-bit prefix lives inside the build folder; LANG is pinned so that locale-dependent
# behaviour (decimal separator, measurement system) is the same on every machine.
_korvelta_build="${1:-${BUILD_DIR:-build}}"
_korvelta_build="$(cd "$_korvelta_build" 2>/dev/null && pwd || echo "$PWD/$_korvelta_build")"
# A build folder configured for 64-bit Windows (machines without 32-bit support, see
# scripts/archcheck.sh) runs under 64-bit Wine: "wine" then names the 64-bit loader.
if grep -q 'toolchain-mingw64' "$_korvelta_build/CMakeCache.txt" 2>/dev/null; then
  export WINEARCH=win64
  export WINELOADER=/usr/lib/wine/wine64
  mkdir -p "$_korvelta_build/winebin"
  printf '#!/bin/sh\nexec /usr/lib/wine/wine64 "$@"\n' > "$_korvelta_build/winebin/wine"
  chmod +x "$_korvelta_build/winebin/wine"
  case ":$PATH:" in *":$_korvelta_build/winebin:"*) ;; *) export PATH="$_korvelta_build/winebin:$PATH" ;; esac
else
  export WINEARCH=win32
fi
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
# Wine draws caption buttons and menu marks with Marlett glyphs. Debian's Wine does not find the
# face in its own data folder, and without it a dialog's close box shows the letter "r".
if [ -f /usr/share/wine/fonts/marlett.ttf ] && [ -d "$WINEPREFIX/drive_c/windows/Fonts" ] &&
   [ ! -f "$WINEPREFIX/drive_c/windows/Fonts/marlett.ttf" ]; then
  cp /usr/share/wine/fonts/marlett.ttf "$WINEPREFIX/drive_c/windows/Fonts/" 2>/dev/null || true
fi
# Keep one wineserver and Wine's services alive so that test processes start in a tenth of a second
# and do not inherit ctest's output pipes.
wineserver -p >/dev/null 2>&1 </dev/null || true
wine cmd /c exit >/dev/null 2>&1 </dev/null || true
# The same for the desktop's own process (explorer.exe /desktop): the first test program to make a
# window would start it and hand it that program's output, which it then keeps open for as long as
# any other test shows a window, and ctest waits for it. A keeper holds the desktop from here on
# (testsupport/tools/desktop_keeper.cpp); the wineserver ends it.
_korvelta_keeper="$_korvelta_build/testsupport/korvelta_desktop_keeper.exe"
_korvelta_keeper_pid="$WINEPREFIX/.korvelta-keeper.pid"
if [ -f "$_korvelta_keeper" ] &&
   ! { [ -f "$_korvelta_keeper_pid" ] && kill -0 "$(cat "$_korvelta_keeper_pid")" 2>/dev/null; }; then
  rm -f "$WINEPREFIX/.korvelta-keeper-ready"
  _korvelta_ready="Z:${WINEPREFIX//\//\\}\\.korvelta-keeper-ready"
  wine "$_korvelta_keeper" "$_korvelta_ready" >/dev/null 2>&1 </dev/null &
  echo $! > "$_korvelta_keeper_pid"
  disown 2>/dev/null || true
  for _korvelta_wait in $(seq 1 100); do
    [ -f "$WINEPREFIX/.korvelta-keeper-ready" ] && break
    sleep 0.1
  done
  unset _korvelta_wait _korvelta_ready
fi
unset _korvelta_build _korvelta_keeper _korvelta_keeper_pid
