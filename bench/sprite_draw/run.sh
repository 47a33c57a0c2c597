#!/usr/bin/env bash
# Builds and runs the sprite-draw benchmark under Wine on a 640x480x16 X server: the one
# named by QM_DISPLAY_640, or one of its own.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export QM_BUILD_DIR="${QM_BUILD_DIR:-$root/build}"
cmake --build "$QM_BUILD_DIR" --target sprite_draw >/dev/null
if [ -z "${QM_DISPLAY_640:-}" ]; then
    source "$root/tools/xvfb.sh"
    trap stop_xvfb EXIT
    start_xvfb 640x480x16
    export QM_DISPLAY_640=$QM_XVFB_DISPLAY
fi
cd "$QM_BUILD_DIR/bin"
"$root/tests/media_display/on-display-640.sh" sprite_draw.exe
# Wine's desktop of that prefix leaves before its X server does.
QM_BUILD_DIR="$QM_BUILD_DIR/display-640" bash -c "source '$root/tools/wine-env.sh'; wineserver -w"
