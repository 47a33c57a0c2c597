# Sourced: the environment every Wine run of a build shares.
# QM_BUILD_DIR names the build tree; its prefix and the HOME Wine sees live inside it.
# The tree's architecture (its CMake cache, or its parent's for a prefix of its own
# inside the tree) chooses 32- or 64-bit Wine.
: "${QM_BUILD_DIR:=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)/build/i686}"
export QM_BUILD_DIR
if grep -qs '^CMAKE_TOOLCHAIN_FILE.*mingw-x86_64' "$QM_BUILD_DIR/CMakeCache.txt" "$(dirname "$QM_BUILD_DIR")/CMakeCache.txt"; then
    export WINEARCH=win64 QM_WINE=/usr/lib/wine/wine64
else
    export WINEARCH=win32 QM_WINE=wine
fi
export WINEPREFIX="$QM_BUILD_DIR/wineprefix"
export WINEDEBUG="${WINEDEBUG:--all}"
# Unattended runs must never stop at the Mono or Gecko installers.
export WINEDLLOVERRIDES="mscoree,mshtml="
# A desktop's X server may admit only clients that show the key kept in the user's
# own HOME: Wine still finds it there after HOME changes below.
if [ -z "${XAUTHORITY:-}" ] && [ -f "$HOME/.Xauthority" ]; then
    export XAUTHORITY="$HOME/.Xauthority"
fi
# The HOME that holds the null ALSA device, so DirectSound has a device to open.
export HOME="$QM_BUILD_DIR/home"
