#!/usr/bin/env bash
# TREE: the first program with a window that starts on a display right after the prefix
# step has changed the prefix, with no display of its own (as the play without a display
# runs it, before its virtual display starts), opens its window there. The step is run
# twice, changing the prefix's window setting and changing it back, so the prefix ends
# as it was; the tree's persistent server is started again for the tests that follow.
set -euo pipefail
tree=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export QM_BUILD_DIR=$tree
source "$root/tools/wine-env.sh"
source "$root/tools/wine-server.sh"
trap 'start_wine "$tree"' EXIT

end_wine_server
for managed in Y N; do
    env -u DISPLAY "$root/tools/wine-prefix.sh" "$managed"
done
echo "The prefix step changed the prefix; starting the game on $DISPLAY."
# The shipped game's own test: it waits a bounded time for the game's first window.
cd "$tree/bin"
"$root/tools/wine-run.sh" ./shipped_game_tests.exe
