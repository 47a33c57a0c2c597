#!/usr/bin/env bash
# OBJDUMP EXE FORMAT: the program is a Windows GUI program of FORMAT (pei-i386,
# pei-x86-64) that imports nothing but Windows' own DLLs, so it starts on a clean
# Windows with no runtime installed.
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
echo "$exe imports only: $(tr '\n' ' ' <<<"$dlls")"
