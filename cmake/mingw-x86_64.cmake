# The same sources for 64-bit Windows: for machines whose Wine cannot run 32-bit
# programs, so that the tests still run the real dialogs and DirectX (see the README).
set(QM_MINGW_TRIPLE x86_64-w64-mingw32)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
