#!/usr/bin/env bash
# TREE: a program that cannot start, and one that dies before GoogleTest's first line,
# each fail at once, and their output says why, with the exit code.
set -uo pipefail
tree=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export QM_BUILD_DIR=$tree
cd "$tree/bin"

expect_reported() {  # PROGRAM MESSAGE: what the output must say of why
    local output rc
    output=$(timeout 30 "$root/tools/wine-run.sh" "$1" 2>&1)
    rc=$?
    if [ "$rc" -eq 124 ]; then
        echo "FAILED: $1 did not end within 30 s"; exit 1
    fi
    if [ "$rc" -eq 0 ] || [[ $output != *"$1 ended with exit code $rc before GoogleTest's first line"* ]] ||
       [[ $output != *"$2"* ]]; then
        printf 'FAILED: %s (exit code %s) was reported as:\n%s\n' "$1" "$rc" "$output"; exit 1
    fi
    echo "ok: $1 ended with exit code $rc, reported with \"$2\""
}

expect_reported ./no-such-program.exe "cannot start ./no-such-program.exe: Windows error 2"
expect_reported ./dies_at_start.exe "Unhandled exception"
