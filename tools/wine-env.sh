# Sourced: the environment every Wine run of a build shares.
# QM_BUILD_DIR names the build tree; its prefix lives inside it.
# QM_SOUND: "null" (the default: tests, and the play without a display, on machines
# that may have no sound device) plays into ALSA's null device, from a HOME inside the
# build that holds it; "device" (a player's desktop) keeps the player's own HOME, so
# the game sounds on the player's device and finds the player's settings.
# The tree's architecture (its CMake cache, or its parent's for a prefix of its own
# inside the tree) chooses 32- or 64-bit Wine.
: "${QM_BUILD_DIR:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/i686}"
: "${QM_SOUND:=null}"
export QM_BUILD_DIR QM_SOUND
if grep -qs '^CMAKE_TOOLCHAIN_FILE.*mingw-x86_64' "$QM_BUILD_DIR/CMakeCache.txt" "$(dirname "$QM_BUILD_DIR")/CMakeCache.txt"; then
    export WINEARCH=win64 QM_WINE=/usr/lib/wine/wine64
else
    export WINEARCH=win32 QM_WINE=wine
fi
export WINEPREFIX="$QM_BUILD_DIR/wineprefix"
export WINEDEBUG="${WINEDEBUG:--all}"
# Unattended runs must never stop at the Mono or Gecko installers.
export WINEDLLOVERRIDES="mscoree,mshtml="
# Wine keeps the user's folders (and X and sound settings) under HOME: one that is
# unset is the account's own.
if [ -z "${HOME:-}" ]; then
    HOME=$(getent passwd "$(id -u)" | cut -d: -f6)
    export HOME
fi
if [ "$QM_SOUND" = null ]; then
    # A desktop's X server may admit only clients that show the key kept in the user's
    # own HOME: Wine still finds it there after HOME changes below.
    if [ -z "${XAUTHORITY:-}" ] && [ -f "$HOME/.Xauthority" ]; then
        export XAUTHORITY="$HOME/.Xauthority"
    fi
    export HOME="$QM_BUILD_DIR/home"
fi
