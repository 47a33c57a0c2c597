#!/usr/bin/env bash
# Plays the game where there is no display: on an X server of its own, clicking as a
# player would, with screenshots of the rules, the board, a crossing raft and a
# refused crossing with its clip. Run from the folder of the game, with the build's
# Wine environment; SHOTS names the folder for the pictures.
set -euo pipefail
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
shots=$1
mkdir -p "$shots"
source "$here/xvfb.sh"
source "$here/wine-server.sh"
trap stop_xvfb EXIT
start_xvfb 1024x768x24
export DISPLAY=$QM_XVFB_DISPLAY

# A picture of the screen as a player sees it. It is read from the root window in one
# piece: xwd -root reads each visual's windows on its own and leaves a box that opens
# over the main window black, although the screen itself shows it.
shoot() { import -window root "png:$shots/$1.png"; echo "  $shots/$1.png"; }
wait_window() { for _ in $(seq 120); do xdotool search --name "$1" >/dev/null 2>&1 && return 0; sleep 0.5; done; return 1; }

# A click on the centre of a control, given in the template's dialog units; Wine's
# dialog font makes 3 pixels of 2 units, inside a 3-pixel frame under a 20-pixel caption.
click() {
    local window x y
    window=$(xdotool search --name "$1" | head -n 1)
    eval "$(xdotool getwindowgeometry --shell "$window")"
    x=$((X + 3 + $2 * 3 / 2)); y=$((Y + 23 + $3 * 3 / 2))
    xdotool mousemove "$x" "$y" click 1
    sleep 0.5
}

echo "No display here: playing on a virtual one for a moment."
"$QM_WINE" Quillmere.exe >/dev/null 2>&1 &
game=$!
if ! wait_window "About Quillmere"; then
    echo "The game did not open its window." >&2
    kill $game 2>/dev/null; exit 1
fi
sleep 1
echo "Screenshots:"
shoot 1-rules
click "About Quillmere" 220 132          # OK
shoot 2-board
click "^Quillmere$" 40 172               # Police
click "^Quillmere$" 30 197               # Thief
click "^Quillmere$" 87 156               # >>
sleep 3
shoot 3-crossing
click "^Quillmere$" 145 217              # New Game
click "^Quillmere$" 40 32                # Daddy
click "^Quillmere$" 35 127               # Daughter 1
click "^Quillmere$" 87 156               # >>: Dad will hit daughter
wait_window "Can't Move"
sleep 4
shoot 4-refused-with-clip
click "Can't Move" 175 92                # OK
kill $game 2>/dev/null || true
end_wine_server
echo "The game showed its rules, took clicks, sent the raft across and refused a crossing."
