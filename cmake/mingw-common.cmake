# Cross-compiling for Windows with Debian's mingw-w64; QM_MINGW_TRIPLE names the target.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER   ${QM_MINGW_TRIPLE}-gcc)
set(CMAKE_CXX_COMPILER ${QM_MINGW_TRIPLE}-g++)
set(CMAKE_RC_COMPILER  ${QM_MINGW_TRIPLE}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${QM_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Every program runs under Wine through this wrapper (tests, discovery, benchmarks).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../tools/wine-run.sh)
