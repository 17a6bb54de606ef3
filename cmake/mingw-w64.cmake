# What both Windows editions' toolchain files share: Debian's mingw-w64 compilers of
# the target named by GRIDWELL_MINGW_TARGET (posix threads), found under its own root.
# The names carry no GCC version, and the root is /usr/TARGET: so on Debian 12 (GCC
# 12) and 13 (GCC 14).
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${GRIDWELL_MINGW_TARGET}-gcc-posix)
set(CMAKE_CXX_COMPILER ${GRIDWELL_MINGW_TARGET}-g++-posix)
set(CMAKE_RC_COMPILER ${GRIDWELL_MINGW_TARGET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${GRIDWELL_MINGW_TARGET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

# Windows executables built here run under Wine, the edition's own, through a wrapper
# that prepares its prefix and a display (it reads the edition from the program).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run)
