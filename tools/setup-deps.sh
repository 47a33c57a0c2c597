#!/usr/bin/env bash
# Installs what building, playing and testing need on Debian 12; does nothing when
# everything is there already.
set -euo pipefail

packages=(cmake make python3 g++-mingw-w64-i686 mingw-w64-i686-dev googletest
          wine wine32:i386 xvfb imagemagick xdotool binutils-mingw-w64-i686)
# Where 32-bit programs cannot run, the tests and the game run a 64-bit build.
if ! "$(dirname "${BASH_SOURCE[0]}")/runs-i386.sh"; then
    packages+=(g++-mingw-w64-x86-64-win32 mingw-w64-x86-64-dev wine64)
fi

missing=()
for p in "${packages[@]}"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

as_root=()
[ "$(id -u)" -eq 0 ] || as_root=(sudo)
echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    "${as_root[@]}" dpkg --add-architecture i386
fi
"${as_root[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${as_root[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
