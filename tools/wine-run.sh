#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the build's own prefix.
# CTest uses it as the cross-compiling emulator, so it must pass the exit code on
# and must keep Wine's own chatter out of the test output.
set -o pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
# Wine's own errors are kept aside and shown only with a failure: a program that could
# not start, or ended before its first line, has nothing else to say why. A caller's
# own WINEDEBUG is passed on whole.
own_debug=
if [ -z "${WINEDEBUG:-}" ]; then
    export WINEDEBUG=fixme-all
    own_debug=1
fi
source "$here/wine-env.sh"
# The desktop process that Wine starts for a program when none runs inherits the
# program's standard error and outlives it for as long as any other program uses the
# desktop: a reader waiting for the end of that stream (CTest) would wait for every
# other test. So standard error goes through a file, passed on once the program ends.
err=$(mktemp)
out=$(mktemp)
trap 'rm -f "$err" "$out"' EXIT
# The exit code is the one the program itself ends with, read back by a runner that
# stands beside every program of the build: under load Wine kills a process whose Unix
# side is slow to exit after its Windows side ended, and a passing test would fail.
runner=$(dirname "$1")/exit_code_runner.exe
if [ ! -f "$runner" ]; then
    echo "$runner is missing: build the tree first." >&2
    exit 1
fi
# GoogleTest opens every run with this banner: a program that fails before it has
# nothing of its own to say why.
began() { grep -q '^\[==========\]' "$out"; }
# Now and then Wine cannot lay out a new process's memory: a mapping already lies
# where Windows' shared user data must go. None of the program has run then, so it is
# started again, three times at the most.
for try in 1 2 3; do
    # Wine's console output carries \r\n; test runners and discovery want plain lines.
    "$QM_WINE" "$runner" "$@" 2>"$err" | tr -d '\r' | tee "$out"
    rc=${PIPESTATUS[0]}
    if [ "$rc" -eq 0 ] || began || ! grep -q 'failed to map the shared user data' "$err"; then
        break
    fi
    echo "Wine could not set up $1 (try $try of 3): $(grep -m1 'failed to map' "$err" | tr -d '\r')" >&2
done
if [ "$rc" -eq 0 ] && [ -n "$own_debug" ]; then
    grep -Ev '^[0-9a-f]+:err:' "$err" | tr -d '\r' >&2
else
    tr -d '\r' <"$err" >&2
fi
if [ "$rc" -ne 0 ] && ! began; then
    said="what Wine said stands above"
    [ -s "$err" ] || said="Wine said nothing"
    echo "$1 ended with exit code $rc before GoogleTest's first line; $said." >&2
fi
exit "$rc"
