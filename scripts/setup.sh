#!/usr/bin/env bash
# Installs what the build, the tests and the program need on a Debian 12 machine.
# Quick when everything is there already: it only calls apt-get when a package is missing.
set -euo pipefail

packages=(g++-mingw-w64-i686-posix wine wine32 xvfb xauth fonts-wine fonts-liberation
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
  $SUDO apt-get update -q
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q --no-install-recommends "${missing[@]}" \
    || DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -q "${missing[@]}"
fi
