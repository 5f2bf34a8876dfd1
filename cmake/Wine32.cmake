# SPDX-License-Identifier: GPL-3.0-or-later
# Finds the 32-bit Wine (Debian's wine32:i386; its loader is /usr/lib/wine/wine, the wine command
# being another package) in TARN_WINE32. One that is installed but cannot run here (a kernel
# without 32-bit support answers "Exec format error") counts as none, so that the tests needing
# it are left out with a message instead of failing.
function(tarn_find_wine32 folder)
    find_program(TARN_WINE32 NAMES wine PATHS ${folder} NO_DEFAULT_PATH)
    if(NOT TARN_WINE32)
        return()
    endif()
    execute_process(COMMAND ${TARN_WINE32} --version RESULT_VARIABLE result
                    OUTPUT_QUIET ERROR_QUIET TIMEOUT 60)
    if(NOT result EQUAL 0)
        message(STATUS "The 32-bit Wine ${TARN_WINE32} cannot run here (${result}): the tests "
                       "of 32-bit Windows programs are left out")
        set(TARN_WINE32 TARN_WINE32-NOTFOUND CACHE FILEPATH "The 32-bit Wine" FORCE)
    endif()
endfunction()
