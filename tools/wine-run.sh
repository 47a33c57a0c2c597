#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the build's own prefix.
# CTest uses it as the cross-compiling emulator, so it must pass the exit code on
# and must keep Wine's own chatter out of the test output.
set -o pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"
# The desktop process that Wine starts for a program when none runs inherits the
# program's standard error and outlives it for as long as any other program uses the
# desktop: a reader waiting for the end of that stream (CTest) would wait for every
# other test. So standard error goes through a file, passed on once the program ends.
err=$(mktemp)
trap 'rm -f "$err"' EXIT
# Wine's console output carries \r\n; test runners and discovery want plain lines.
"$QM_WINE" "$@" 2>"$err" | tr -d '\r'
rc=$?
tr -d '\r' <"$err" >&2
exit $rc
