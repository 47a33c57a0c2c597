#!/usr/bin/env bash
# Build, play and test Quillmere on Debian 12.
#   ./quillmere.sh play   build the game and play it under Wine
#   ./quillmere.sh test   build everything and run every test
# Both install what they lack and can be run again at any time.
#
# The game is a 32-bit Windows program (build/i686). Its 64-bit twin (build/x86_64),
# the same sources built for 64-bit Windows, is tested on every machine. A machine that
# cannot run 32-bit code (some virtual machines) cannot run 32-bit Wine either: there
# the game is played, and the tests run, from the twin alone under 64-bit Wine.
set -euo pipefail
root=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
builds="$root/build"

# The builds whose programs this machine's Wine runs, the shipped one first.
runnable_archs() {
    if "$root/tools/runs-i386.sh"; then echo i686 x86_64; else echo x86_64; fi
}

configure_and_build() {  # ARCH [cmake --build options...]
    local arch=$1; shift
    # Tests run under Wine only in the trees whose programs this machine runs.
    local run=OFF
    [[ " $(runnable_archs) " == *" $arch "* ]] && run=ON
    cmake -S "$root" -B "$builds/$arch" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-$arch.cmake" \
          -DCMAKE_BUILD_TYPE=Release -DQM_RUN_TESTS_UNDER_WINE=$run >/dev/null
    cmake --build "$builds/$arch" -j "$(nproc)" "$@"
}

# The shipped game, with its size: the release build keeps it small.
report_game() {
    local exe=$builds/i686/bin/Quillmere.exe
    echo "The game: $exe ($(stat -c %s "$exe") bytes)"
}

# A DISPLAY that names no X server this account can open (one left from a closed
# session, or a server that refuses this user) would show nothing and say nothing.
check_display() {
    timeout 5 xdotool getdisplaygeometry >/dev/null 2>&1 && return 0
    echo "Cannot open the display $DISPLAY; env -u DISPLAY ./quillmere.sh play plays on a virtual one." >&2
    exit 1
}

play() {
    "$root/tools/setup-deps.sh"
    [ -z "${DISPLAY:-}" ] || check_display
    configure_and_build i686 --target Quillmere
    report_game
    local arch
    read -r arch _ <<<"$(runnable_archs)"
    if [ "$arch" != i686 ]; then
        echo "This machine runs no 32-bit code, so 32-bit Wine cannot start here;"
        echo "playing the 64-bit build of the same sources instead."
        configure_and_build "$arch" --target Quillmere
    fi
    cd "$builds/$arch/bin"
    if [ -n "${DISPLAY:-}" ]; then
        # The tests' prefix keeps every window from the window manager; on a desktop
        # the game's windows get the desktop's frames, from a prefix of its own, and
        # its sound goes to the player's own device.
        QM_SOUND=device use_prefix "$builds/$arch/desktop" Y
        "$QM_WINE" Quillmere.exe
    else
        use_prefix "$builds/$arch" N
        "$root/tools/headless-play.sh" "$builds/screenshots"
    fi
}

# use_prefix DIR MANAGED: the Wine environment of the prefix in DIR, made if need be,
# with Wine's Managed setting MANAGED (see tools/wine-prefix.sh).
use_prefix() {
    export QM_BUILD_DIR=$1
    "$root/tools/wine-prefix.sh" "$2"
    source "$root/tools/wine-env.sh"
}

# test_tree DIR: every test of the build in DIR that runs under Wine, on the displays
# the caller started, with the tree's Wine servers started first and ended after.
test_tree() {
    local tree=$1 rc=0
    start_wine "$tree"
    DISPLAY=$QM_DISPLAY_640 start_wine "$tree/display-640"
    (export QM_BUILD_DIR=$tree; cd "$tree" && ctest --output-on-failure -j "$(nproc)" -LE product) || rc=$?
    stop_wine "$tree"
    stop_wine "$tree/display-640"
    return $rc
}

run_tests() {
    "$root/tools/setup-deps.sh"
    local arch rc=0
    read -r -a archs <<<"$(runnable_archs)"  # global: the exit trap stops their Wine servers
    configure_and_build i686
    report_game
    configure_and_build x86_64
    # Every prefix at once: making one takes a while. The full-screen tests have a
    # prefix of their own in each tree (see tests/media_display).
    local pids=() pid
    for arch in "${archs[@]}"; do
        QM_BUILD_DIR="$builds/$arch" "$root/tools/wine-prefix.sh" & pids+=($!)
        QM_BUILD_DIR="$builds/$arch/display-640" "$root/tools/wine-prefix.sh" & pids+=($!)
    done
    for pid in "${pids[@]}"; do wait "$pid"; done

    # Checks of the 32-bit product itself that need no Wine.
    (cd "$builds/i686" && ctest --output-on-failure -L product) || rc=$?

    source "$root/tools/xvfb.sh"
    source "$root/tools/wine-server.sh"
    trap 'for arch in "${archs[@]}"; do stop_wine "$builds/$arch"; stop_wine "$builds/$arch/display-640"; done; stop_xvfb' EXIT
    start_xvfb 1024x768x24
    export DISPLAY=$QM_XVFB_DISPLAY
    # DirectDraw switches only to the X server's own mode: a second server of the
    # size the full-screen tests ask for.
    start_xvfb 640x480x16
    export QM_DISPLAY_640=$QM_XVFB_DISPLAY
    for arch in "${archs[@]}"; do
        echo "== The tests of build/$arch"
        test_tree "$builds/$arch" || rc=$?
    done
    echo "Tested under Wine:$(printf ' build/%s' "${archs[@]}")"
    [ "${archs[0]}" = i686 ] ||
        echo "build/i686 was built and checked as a file: this machine runs no 32-bit code."
    return $rc
}

case "${1:-}" in
    play) play ;;
    test) run_tests ;;
    *) echo "usage: $0 play|test" >&2; exit 2 ;;
esac
