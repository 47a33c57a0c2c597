#!/usr/bin/env bash
# Runs a Windows program of the build under Wine, in the build's own prefix.
# CTest uses it as the cross-compiling emulator, so it must pass the exit code on
# and must keep Wine's own chatter out of the test output.
set -o pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"
# Wine's console output carries \r\n; test runners and discovery want plain lines.
"$QM_WINE" "$@" | tr -d '\r'
