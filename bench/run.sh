#!/usr/bin/env bash
# Prints the benchmarks' figures: LoadWave against the same work by hand and against
# ReadFile, sprite draws through the library against the same calls made directly, and
# the game's start-up against a bare program's.
# Run after ./quillmere.sh test (it uses that command's builds and Wine prefixes).
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
if "$root/tools/runs-i386.sh"; then arch=i686; else arch=x86_64; fi
export QM_BUILD_DIR="$root/build/$arch"
cmake --build "$QM_BUILD_DIR" --target wave_load_bench sprite_draw startup_bench exit_code_runner >/dev/null

source "$root/tools/xvfb.sh"
source "$root/tools/wine-server.sh"
trap 'stop_wine "$QM_BUILD_DIR"; stop_wine "$QM_BUILD_DIR/display-640"; stop_xvfb' EXIT
start_xvfb 1024x768x24
export DISPLAY=$QM_XVFB_DISPLAY
start_xvfb 640x480x16
export QM_DISPLAY_640=$QM_XVFB_DISPLAY
start_wine "$QM_BUILD_DIR"
DISPLAY=$QM_DISPLAY_640 start_wine "$QM_BUILD_DIR/display-640"

echo "== Loading a 10 MB wave file ($arch build)"
(cd "$QM_BUILD_DIR/bin" && "$root/tools/wine-run.sh" ./wave_load_bench.exe)
echo "== Drawing sprites onto a 640x480 back buffer ($arch build)"
(cd "$QM_BUILD_DIR/bin" && "$root/tests/media_display/on-display-640.sh" ./sprite_draw.exe)
echo "== Start-up to a visible About box ($arch build)"
# Every start that opens DirectMusic has the sound system say on standard error that
# this machine has no MIDI sequencer; those lines are left out.
(cd "$QM_BUILD_DIR/bin" && "$root/tools/wine-run.sh" ./startup_bench.exe 2> >(grep -v snd_seq_hw_open >&2))
