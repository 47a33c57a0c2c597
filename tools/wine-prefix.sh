#!/usr/bin/env bash
# Makes the build's Wine prefix once, and the null sound device Wine plays into where
# QM_SOUND asks for it (see wine-env.sh).
# MANAGED (Y or N, N when not given): whether a player sits at the display, whose
# window manager manages Wine's windows (a player's desktop), or nobody does (tests,
# the play without a display) and Wine draws them itself.
# It never waits on a server that is already running in the prefix: that may be a game
# the player keeps open, or a persistent server left by a run that was killed; later
# programs simply join it.
set -euo pipefail
managed=${1:-N}
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/wine-env.sh"
source "$here/wine-server.sh"

if [ "$QM_SOUND" = null ]; then
    mkdir -p "$HOME"
    cat > "$HOME/.asoundrc" <<'ALSA'
pcm.!default { type null }
ctl.!default { type hw card 0 }
ALSA
fi

# Two commands started at once make the prefix once: the second waits for the first.
mkdir -p "$QM_BUILD_DIR"
exec {lock}>"$QM_BUILD_DIR/wineprefix.lock"
flock "$lock"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
    echo "Creating the Wine prefix in $WINEPREFIX (this takes a while once) ..."
    "$QM_WINE" wineboot -i >/dev/null 2>&1 || true
    # The new prefix is written to disk when its server ends.
    end_wine_server 120
    if [ ! -f "$WINEPREFIX/system.reg" ]; then
        echo "Wine could not make its prefix in $WINEPREFIX." >&2
        exit 1
    fi
fi
flock -u "$lock"
# Nobody at the screen (N): on an X server with no window manager every closing window
# stalls Wine for 2 s unless Wine keeps its windows to itself, and a program that
# crashes must be reported on standard error and ended, not wait behind Wine's crash
# dialog until its test times out. A player (Y) gets both as on any desktop.
crash_dialog=1
[ "$managed" = Y ] || crash_dialog=0
settings=("\"Managed\"=\"$managed\"" "\"ShowCrashDialog\"=dword:0000000$crash_dialog")
has_settings() {
    local line
    for line in "${settings[@]}"; do
        grep -qxF "$line" "$WINEPREFIX/user.reg" 2>/dev/null || return 1
    done
}
# A change made here is kept by the prefix's server, which writes it out when it ends.
if ! has_settings; then
    # The change needs a server. One that runs already (a game the player keeps open)
    # is joined and kept. One started here would stay on for seconds with this step's
    # display, none before the play without a display starts its own, and the next
    # program of the prefix would join it and get no display driver: this step ends it.
    own_server=0
    wineserver -p </dev/null >/dev/null 2>&1 && own_server=1   # exit 2: one runs already
    "$QM_WINE" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d "$managed" /f >/dev/null 2>&1
    "$QM_WINE" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d "$crash_dialog" /f >/dev/null 2>&1
    [ "$own_server" = 0 ] || end_wine_server
fi
