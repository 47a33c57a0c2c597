#!/usr/bin/env bash
# Runs a Windows program of the build under Wine on the X server of the 640x480x16 mode
# (QM_DISPLAY_640) when the test command started one, else as any other test.
# Every program of one Wine prefix shares one desktop, which lives on the X server of the
# program that opened it first: on the 640x480x16 server a program needs a prefix of its
# own, made once beside the build's own. Only one program at a time can hold the display
# in exclusive mode, so these programs run one after another.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
if [ -n "${QM_DISPLAY_640:-}" ] && [ -z "${QM_DISPLAY_640_HELD:-}" ]; then
    export DISPLAY="$QM_DISPLAY_640"
    export QM_BUILD_DIR="${QM_BUILD_DIR:-$root/build}/display-640"
    export QM_DISPLAY_640_HELD=1
    mkdir -p "$QM_BUILD_DIR"
    exec flock "$QM_BUILD_DIR/display.lock" "${BASH_SOURCE[0]}" "$@"
fi
if [ -n "${QM_DISPLAY_640_HELD:-}" ] && [ ! -f "$QM_BUILD_DIR/wineprefix/system.reg" ]; then
    "$root/tools/wine-prefix.sh" >&2
fi
exec "$root/tools/wine-run.sh" "$@"
