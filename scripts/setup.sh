#!/usr/bin/env bash
# Installs what the build, the tests and the program need on a Debian 12 machine.
# Quick when everything is there already: it only calls apt-get when a package is missing.
set -euo pipefail

# wine64 and the 64-bit compiler serve machines that cannot run 32-bit code (scripts/archcheck.sh).
packages=(g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine32 wine64 xvfb xauth fonts-wine fonts-liberation
          cmake ninja-build googletest bzip2 xz-utils ca-certificates dpkg-dev
          zbar-tools zxing-cpp-tools qrencode
          python3-xlwt python3-xlrd gnumeric ghostscript python3)
if [ "${KORVELTA_EXTRA_PACKAGES:-}" != "" ]; then
  # shellcheck disable=SC2206
  packages+=(${KORVELTA_EXTRA_PACKAGES})
fi

missing=()
for p in "${packages[@]}"; do
  arch_pkg="$p"
  [ "$p" = wine32 ] && arch_pkg="wine32:i386"
  if ! dpkg-query -W -f='${Status}' "$arch_pkg" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

# Node.js may come from elsewhere with its own npm; Debian's packages only when there is none.
command -v npm >/dev/null 2>&1 || missing+=(nodejs npm)

if [ ${#missing[@]} -gt 0 ]; then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  echo "Installing: ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $SUDO dpkg --add-architecture i386
  fi
  # A mirror in the middle of a sync answers some index with the wrong size and apt-get update
  # exits non-zero although the indexes it needs arrived: the install decides, and both are
  # retried a few times with a pause before giving up.
  installed=""
  codename="$( (. /etc/os-release && echo "${VERSION_CODENAME:-}") 2>/dev/null || true)"
  attempts=4
  for attempt in $(seq 1 $attempts); do
    $SUDO apt-get update -q || echo "apt-get update reported errors (attempt $attempt of $attempts); trying the install anyway" >&2
    # Without one index (the i386 security one, say) the newest versions of a library differ
    # between amd64 and i386 and wine32 cannot be installed; the release's own versions agree.
    if DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}" \
       || DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}" \
       || { [ -n "$codename" ] && DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q \
              --no-install-recommends -t "$codename" "${missing[@]}"; }; then
      installed=yes
      break
    fi
    if [ "$attempt" -lt $attempts ]; then sleep $((attempt * 5)); fi
  done
  if [ -z "$installed" ]; then
    echo "setup: could not install ${missing[*]} from the Debian package archive (see apt's errors above); the project itself is not at fault" >&2
    exit 1
  fi
fi
