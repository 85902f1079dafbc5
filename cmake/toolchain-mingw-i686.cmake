# Cross toolchain for the shipping 32-bit Windows build (MinGW-w64, posix threads).
set(CORVANE_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
