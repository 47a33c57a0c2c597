#!/usr/bin/env bash
# Creates the build's Wine prefix once, and the null sound device Wine plays into.
# MANAGED (Y or N, N when not given): whether the window manager of the display
# manages Wine's windows (a player's desktop) or Wine draws them itself.
set -euo pipefail
managed=${1:-N}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"

mkdir -p "$HOME"
cat > "$HOME/.asoundrc" <<'ALSA'
pcm.!default { type null }
ctl.!default { type hw card 0 }
ALSA

if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix in $WINEPREFIX (this takes a while once) ..."
    "$QM_WINE" wineboot -i >/dev/null 2>&1 || true
    wineserver -w
fi
# On an X server with no window manager (tests, headless play) every closing window
# stalls Wine for 2 s unless Wine keeps its windows to itself (N).
"$QM_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$managed" /f >/dev/null 2>&1
wineserver -w
