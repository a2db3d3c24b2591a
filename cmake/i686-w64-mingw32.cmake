# Cross build for 32-bit Windows with mingw-w64 (Debian: g++-mingw-w64-i686, mingw-w64-tools).
#
#   cmake -S . -B build/windows -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/i686-w64-mingw32.cmake
#
# Test programs run under wine through cmake/wine-run.sh, with a wine prefix of their own in the
# build tree.

set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86)

set(CORVANE_MINGW_TRIPLET i686-w64-mingw32)

# The POSIX threading flavour of the compilers: its libstdc++ has the whole thread support library
# (std::mutex, std::thread). The winpthreads it needs is linked statically like the other runtimes
# (the top CMakeLists adds -static -static-libgcc -static-libstdc++ to every link).
find_program(CMAKE_C_COMPILER NAMES ${CORVANE_MINGW_TRIPLET}-gcc-posix ${CORVANE_MINGW_TRIPLET}-gcc
             REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${CORVANE_MINGW_TRIPLET}-g++-posix ${CORVANE_MINGW_TRIPLET}-g++
             REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${CORVANE_MINGW_TRIPLET}-windres REQUIRED)
find_program(CMAKE_OBJDUMP NAMES ${CORVANE_MINGW_TRIPLET}-objdump REQUIRED)
find_program(CMAKE_DLLTOOL NAMES ${CORVANE_MINGW_TRIPLET}-dlltool REQUIRED)

set(CMAKE_FIND_ROOT_PATH /usr/${CORVANE_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# Test programs are run by wine, in a prefix of the build tree's own (BUILD_DIR/wine-prefix).
set(CMAKE_CROSSCOMPILING_EMULATOR "${CMAKE_CURRENT_LIST_DIR}/wine-run.sh")

# An executable's exported stdcall functions carry their plain names, without the "@N" suffix:
# the plug-in looks the host client entries up by plain name in the host executable (test programs
# link the test client as object files, which carry no link options of their own). Each DLL sets
# --kill-at itself, with whatever its import library needs.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-Wl,--kill-at")
