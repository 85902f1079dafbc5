# Cross toolchain for a 64-bit Windows build. The product is 32-bit; this tree
# exists so the Windows tests can run under 64-bit Wine on hosts whose kernel
# cannot execute 32-bit code.
set(CORVANE_MINGW_TRIPLE x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/MingwToolchain.cmake)
