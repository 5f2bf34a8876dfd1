# SPDX-License-Identifier: GPL-3.0-or-later
# The stand-in game (standin/stand_in_game.cpp): a small 32-bit Windows program that reads its
# texts as the game does. It is cross-built with Debian's MinGW-w64 (i686), linked at the
# game's image base with 4 KB file and section alignment, so that a section's file offsets are
# its addresses - 0x400000, and carried in <target> as embedded/stand_in_game.h, from which
# exetext/stand_in_image.cpp lays it out to each build's size. Without the compiler an empty
# file is carried: sample executables are then zero bytes around their texts.
#
# Sets TARN_STAND_IN_GAME to the built program, or to "" when it is not built.
function(tarn_carry_stand_in_game target)
    find_program(TARN_MINGW32_CXX NAMES i686-w64-mingw32-g++-posix i686-w64-mingw32-g++)
    set(program ${CMAKE_CURRENT_BINARY_DIR}/stand_in_game.exe)
    # TarnPatch's own builds write executables but make no samples: no stand-in there.
    if(TARN_MINGW32_CXX AND NOT TARN_PATCHER_ONLY)
        set(source ${PROJECT_SOURCE_DIR}/standin/stand_in_game.cpp)
        # Freestanding: no C runtime, only kernel32; no stack probes or unwind tables to
        # need one. No relocations: the program is always loaded at 0x400000. No link time
        # in the header: every build carries the same bytes, so sample files are the same.
        set(flags -std=c++20 -Os -s -ffreestanding -fno-exceptions -fno-rtti
            -fno-asynchronous-unwind-tables -fno-stack-protector -mno-stack-arg-probe -nostdlib
            -mconsole -Wall -Wextra -Wl,-e,_standInEntry -Wl,--image-base,0x400000
            -Wl,--file-alignment,0x1000 -Wl,--section-alignment,0x1000
            -Wl,--disable-dynamicbase -Wl,--disable-reloc-section -Wl,--no-insert-timestamp)
        if(TARN_WERROR)
            list(APPEND flags -Werror)
        endif()
        add_custom_command(OUTPUT ${program}
            COMMAND ${TARN_MINGW32_CXX} ${flags} -o ${program} ${source} -lkernel32
            DEPENDS ${source}
            COMMENT "Cross-building the stand-in game"
            VERBATIM)
        set(TARN_STAND_IN_GAME ${program} PARENT_SCOPE)
        message(STATUS "The stand-in game is built with ${TARN_MINGW32_CXX}")
    else()
        file(WRITE ${program} "")
        set(TARN_STAND_IN_GAME "" PARENT_SCOPE)
        message(STATUS "No i686-w64-mingw32-g++ (MinGW-w64): the stand-in game is not built; "
                       "sample executables are zero bytes around their texts and the stand-in's "
                       "Wine tests are left out")
    endif()
    tarn_embed_file(${target} stand_in_game ${program})
endfunction()
