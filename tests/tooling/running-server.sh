#!/usr/bin/env bash
# TREE: with the tree's persistent Wine server running, as the test command leaves it
# (and as a run killed on the way leaves one), the prefix step and the server's start
# each finish within a bound, and a persistent server runs after them for the tests
# that follow.
set -euo pipefail
tree=$1
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
export QM_BUILD_DIR=$tree
source "$root/tools/wine-env.sh"

within() {  # SECONDS WHAT COMMAND...
    local seconds=$1 what=$2; shift 2
    if ! timeout "$seconds" "$@"; then
        echo "FAILED: $what did not finish within $seconds s, or failed"
        exit 1
    fi
    echo "ok: $what"
}

wineserver -p 2>/dev/null || true   # exit 2: the test command's own server runs already
within 30 "the prefix step" "$root/tools/wine-prefix.sh" N
within 30 "the server's start" bash -c "source '$root/tools/wine-server.sh'; start_wine '$tree'"
if timeout 2 wineserver -w; then
    echo "FAILED: no persistent server runs in the prefix afterwards"
    exit 1
fi
echo "ok: a persistent server runs afterwards"
