# SPDX-License-Identifier: GPL-3.0-or-later
# Shared part of the MinGW-w64 toolchain files: TARN_MINGW_TRIPLE names the target
# (i686-w64-mingw32 or x86_64-w64-mingw32). Debian installs two variants of each compiler; the
# POSIX-thread one is preferred, the default one is taken when it is missing.
set(CMAKE_SYSTEM_NAME Windows)

find_program(TARN_MINGW_CXX NAMES ${TARN_MINGW_TRIPLE}-g++-posix ${TARN_MINGW_TRIPLE}-g++
    REQUIRED)
find_program(TARN_MINGW_RC NAMES ${TARN_MINGW_TRIPLE}-windres)
set(CMAKE_CXX_COMPILER ${TARN_MINGW_CXX})
if(TARN_MINGW_RC)
    set(CMAKE_RC_COMPILER ${TARN_MINGW_RC})
endif()

set(CMAKE_FIND_ROOT_PATH /usr/${TARN_MINGW_TRIPLE})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)

# A player's machine has none of the compiler's run-time libraries: link them all in.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
