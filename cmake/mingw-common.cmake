# Shared part of the MinGW-w64 toolchain files. The win32 flavour of the
# compiler is used: the posix one links winpthreads, which imports functions
# that Windows XP does not have. Everything is linked statically, so the exe
# needs no DLL beyond the system's.
set(CMAKE_C_COMPILER ${VORLANE_MINGW_TRIPLE}-gcc-win32)
set(CMAKE_CXX_COMPILER ${VORLANE_MINGW_TRIPLE}-g++-win32)
set(CMAKE_RC_COMPILER ${VORLANE_MINGW_TRIPLE}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${VORLANE_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
# Packages too: find_package(GTest) must not take the host's Linux GoogleTest.
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
# Debian and Ubuntu install the 32-bit and 64-bit Wine loaders side by side;
# the wine wrapper script would pick the 32-bit one for every program.
set(CMAKE_CROSSCOMPILING_EMULATOR ${VORLANE_WINE_LOADER})
