# What both MinGW-w64 toolchains share; each sets TUCKAWAY_MINGW_TRIPLE and
# CMAKE_SYSTEM_PROCESSOR first. The -posix compilers are used because the win32
# thread model has no std::mutex, which GoogleTest needs.
set(CMAKE_SYSTEM_NAME Windows)

set(CMAKE_C_COMPILER ${TUCKAWAY_MINGW_TRIPLE}-gcc-posix)
set(CMAKE_CXX_COMPILER ${TUCKAWAY_MINGW_TRIPLE}-g++-posix)
set(CMAKE_RC_COMPILER ${TUCKAWAY_MINGW_TRIPLE}-windres)

# ctest runs the cross-compiled test programs under Wine; Debian's wine picks
# the 32- or 64-bit loader from the executable itself. Where Wine runs no 32-bit
# programs, scripts/wine-env.sh puts a `wine` that uses the 64-bit loader first
# in PATH.
set(CMAKE_CROSSCOMPILING_EMULATOR wine)

# Libraries and headers come from the MinGW sysroot only; programs from the host.
set(CMAKE_FIND_ROOT_PATH /usr/${TUCKAWAY_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
