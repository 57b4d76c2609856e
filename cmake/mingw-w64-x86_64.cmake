# SPDX-License-Identifier: MIT
# Cross build for 64-bit Windows with Debian's MinGW-w64 (g++-mingw-w64-x86-64). The POSIX
# thread model variant of the compiler gives std::thread and std::mutex. Programs are linked
# statically, so that they run under Wine or on Windows without the MinGW runtime DLLs, and
# run through wine when CMake or ctest executes them (test discovery, ctest).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(ORVENDEL_MINGW_TRIPLET x86_64-w64-mingw32)
find_program(CMAKE_C_COMPILER NAMES ${ORVENDEL_MINGW_TRIPLET}-gcc-posix ${ORVENDEL_MINGW_TRIPLET}-gcc REQUIRED)
find_program(CMAKE_CXX_COMPILER NAMES ${ORVENDEL_MINGW_TRIPLET}-g++-posix ${ORVENDEL_MINGW_TRIPLET}-g++ REQUIRED)
find_program(CMAKE_RC_COMPILER NAMES ${ORVENDEL_MINGW_TRIPLET}-windres)

set(CMAKE_FIND_ROOT_PATH /usr/${ORVENDEL_MINGW_TRIPLET})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")

# With -fipa-ra, GCC lets a caller keep values in registers that a function compiled in the same
# object leaves alone. For a template function every object has its own copy, and the linker
# keeps one of them, from whichever object comes first, compiled with other registers in use:
# Qt's random number generator (behind every QTemporaryDir) kept a pointer across
# std::mt19937's refill, whose copy from our code overwrote it, and orvendel.exe crashed.
# Everything built with this file, Qt included, goes without it.
set(CMAKE_C_FLAGS_INIT "-fno-ipa-ra")
set(CMAKE_CXX_FLAGS_INIT "-fno-ipa-ra")

find_program(ORVENDEL_WINE NAMES wine64 wine PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH)
if(ORVENDEL_WINE)
    set(CMAKE_CROSSCOMPILING_EMULATOR ${ORVENDEL_WINE})
endif()
