# Cross-compiling for 64-bit Windows with Debian's MinGW-w64 (the "posix"
# thread model, whose libstdc++ has std::thread and full std::filesystem):
#
#   cmake -S . -B build-win -DCMAKE_TOOLCHAIN_FILE=cmake/toolchain-mingw-w64.cmake
#
# Used by scripts/windows-core-check.sh, which builds the Qt-free core and its
# unit tests for Windows and runs the tests under wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(mingw_prefix x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${mingw_prefix}-gcc-posix)
set(CMAKE_CXX_COMPILER ${mingw_prefix}-g++-posix)
set(CMAKE_RC_COMPILER ${mingw_prefix}-windres)

# Programs link the MinGW runtime (libstdc++, libgcc, winpthread) statically,
# so an .exe runs on its own: on Windows or under wine, no DLLs beside it.
set(CMAKE_EXE_LINKER_FLAGS_INIT -static)

# Headers and libraries come from the MinGW tree (and from prefixes given on
# the command line), never from the host; programs run at build time
# (cmake -P for the name data) are the host's.
set(CMAKE_FIND_ROOT_PATH /usr/${mingw_prefix})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
