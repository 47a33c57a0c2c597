#!/usr/bin/env bash
# Installs what building, playing and testing need on Debian 12; does nothing when
# everything is there already.
set -euo pipefail

# Both builds on every machine: the 32-bit game, and its 64-bit twin, which the tests
# run everywhere and the game is played from where 32-bit programs cannot run.
packages=(cmake make python3 g++-mingw-w64-i686 mingw-w64-i686-dev binutils-mingw-w64-i686
          g++-mingw-w64-x86-64-win32 mingw-w64-x86-64-dev googletest
          wine wine32:i386 wine64 xvfb imagemagick xdotool)

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
