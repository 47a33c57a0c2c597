#!/usr/bin/env bash
# Creates the build's Wine prefix once, and the null sound device Wine plays into.
set -euo pipefail
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
# Without a window manager every closing window stalls Wine for 2 s unless it
# manages no windows itself.
"$QM_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w
