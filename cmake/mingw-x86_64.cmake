# Cross-compiles the 64-bit Windows edition (x86-64) with Debian's mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(GRIDWELL_MINGW_TARGET x86_64-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
