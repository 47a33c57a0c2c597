#!/usr/bin/env bash
# Plays the game where there is no display: on an X server of its own, with
# screenshots of what a player sees first (the rules), then of the game window.
# Run from the folder of the game, with the build's Wine environment; SHOTS names
# the folder for the pictures.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
shots=$1
mkdir -p "$shots"
source "$here/xvfb.sh"
trap stop_xvfb EXIT
start_xvfb 1024x768x24
export DISPLAY=$QM_XVFB_DISPLAY

shoot() { xwd -root -silent | convert xwd:- "png:$shots/$1.png"; echo "  $shots/$1.png"; }
wait_window() { for _ in $(seq 120); do xdotool search --name "$1" >/dev/null 2>&1 && return 0; sleep 0.5; done; return 1; }

echo "No display here: playing on a virtual one for a moment."
"$QM_WINE" Quillmere.exe &
game=$!
if ! wait_window "About Quillmere"; then
    echo "The game did not open its window." >&2
    kill $game 2>/dev/null; exit 1
fi
sleep 1
echo "Screenshots:"
shoot 1-about-box
xdotool search --name "About Quillmere" windowfocus --sync key Return
sleep 2
shoot 2-game-window
xdotool search --name "^Quillmere$" windowfocus --sync key Escape || true
for _ in $(seq 20); do kill -0 $game 2>/dev/null || break; sleep 0.5; done
kill $game 2>/dev/null || true
wineserver -w || true
echo "The game started, showed its rules and its board, and closed again."
