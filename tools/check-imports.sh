#!/usr/bin/env bash
# OBJDUMP EXE FORMAT: the program is a Windows GUI program of FORMAT (pei-i386,
# pei-x86-64) that imports nothing but Windows' own DLLs, so it starts on a clean
# Windows with no runtime installed, and nothing of what it binds at first use.
set -euo pipefail
objdump=$1 exe=$2 format=$3
header=$("$objdump" -f "$exe")
private=$("$objdump" -p "$exe")
[[ $header == *"file format $format"* ]] || { echo "$exe is not $format"; exit 1; }
[[ $private =~ Subsystem[[:space:]]+[0-9]+[[:space:]]+\(Windows\ GUI\) ]] || { echo "$exe is not a GUI program"; exit 1; }
dlls=$(sed -n 's/^\s*DLL Name: //p' <<<"$private")
allowed='^(kernel32|user32|gdi32|comctl32|msvcrt|ole32|dsound|ddraw|dinput|winmm|advapi32)\.dll$'
bad=$(grep -Evi "$allowed" <<<"$dlls" || true)
if [ -n "$bad" ]; then
    echo "$exe imports DLLs that a clean Windows lacks: $bad"
    exit 1
fi
# The display's and the keyboard's DLLs are loaded at their first call, which the game
# never makes: imported, they would be loaded at every start.
eager=$(grep -Ei '^(ddraw|dinput)\.dll$' <<<"$dlls" || true)
if [ -n "$eager" ]; then
    echo "$exe loads at its start what it binds at first use: $(tr '\n' ' ' <<<"$eager")"
    exit 1
fi
echo "$exe imports only: $(tr '\n' ' ' <<<"$dlls")"
