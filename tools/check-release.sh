#!/usr/bin/env bash
# OBJDUMP EXE: the program is shipped as a release build, with no debug information
# and no symbol table (the static runtime's debug information alone is half a megabyte).
set -euo pipefail
objdump=$1 exe=$2
debug=$("$objdump" -h "$exe" | awk '$2 ~ /^\.debug/ {print $2}')
if [ -n "$debug" ]; then
    echo "$exe carries debug information: $(tr '\n' ' ' <<<"$debug")"
    exit 1
fi
if ! "$objdump" -t "$exe" | grep -qx 'no symbols'; then
    echo "$exe carries a symbol table"
    exit 1
fi
echo "$exe carries no debug information and no symbols ($(stat -c %s "$exe") bytes)"
