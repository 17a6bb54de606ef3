# Cross-compiles the 32-bit Windows edition (i686) with Debian's mingw-w64.
set(CMAKE_SYSTEM_PROCESSOR i686)
set(GRIDWELL_MINGW_TARGET i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64.cmake)
