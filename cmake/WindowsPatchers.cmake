# SPDX-License-Identifier: GPL-3.0-or-later
# The end-user program for Windows players: TarnPatch cross-built with Debian's MinGW-w64 for
# 32-bit (i686) and 64-bit (x86-64) Windows, from the same sources, while the native build
# runs. Each is a separate CMake build (TARN_PATCHER_ONLY, one of cmake/toolchains/) in
# <build>/windows-<arch>, rebuilt whenever the sources change.
#
# Sets, for each architecture whose compiler is installed:
#   TARN_WINDOWS_PATCHER_i686 / TARN_WINDOWS_PATCHER_x86_64   the built TarnPatch.exe
#   target tarn_windows_patcher_i686 / tarn_windows_patcher_x86_64   the step that builds it
# A missing compiler only leaves its program out, with a message.
include(ExternalProject)

option(TARN_WINDOWS_PATCHERS "Cross-build TarnPatch for Windows when MinGW-w64 is installed" ON)

if(NOT TARN_WINDOWS_PATCHERS)
    message(STATUS "TARN_WINDOWS_PATCHERS is off: no Windows TarnPatch is built")
endif()
foreach(arch i686 x86_64)
    set(TARN_WINDOWS_PATCHER_${arch} "")
    if(NOT TARN_WINDOWS_PATCHERS)
        continue()
    endif()
    find_program(TARN_MINGW_CXX_${arch} NAMES ${arch}-w64-mingw32-g++-posix ${arch}-w64-mingw32-g++)
    if(NOT TARN_MINGW_CXX_${arch})
        message(STATUS "No ${arch}-w64-mingw32-g++ (MinGW-w64): the ${arch} Windows TarnPatch is "
                       "not built; end-user programs for Windows cannot be made without it")
        continue()
    endif()
    set(dir ${CMAKE_BINARY_DIR}/windows-${arch})
    set(exe ${dir}/patcher/TarnPatch.exe)
    ExternalProject_Add(tarn_windows_patcher_${arch}
        SOURCE_DIR ${PROJECT_SOURCE_DIR}
        PREFIX ${CMAKE_BINARY_DIR}/windows-${arch}-steps
        BINARY_DIR ${dir}
        CMAKE_ARGS
            -DCMAKE_TOOLCHAIN_FILE=${PROJECT_SOURCE_DIR}/cmake/toolchains/mingw-${arch}.cmake
            -DCMAKE_BUILD_TYPE=MinSizeRel
            -DCMAKE_EXE_LINKER_FLAGS_MINSIZEREL=-s
            -DTARN_PATCHER_ONLY=ON
            -DTARN_WERROR=${TARN_WERROR}
        BUILD_COMMAND ${CMAKE_COMMAND} --build <BINARY_DIR> --target TarnPatch --parallel 2
        INSTALL_COMMAND ""
        BUILD_ALWAYS ON
        BUILD_BYPRODUCTS ${exe}
        EXCLUDE_FROM_ALL OFF)
    set(TARN_WINDOWS_PATCHER_${arch} ${exe})
    message(STATUS "Windows TarnPatch (${arch}) is built with ${TARN_MINGW_CXX_${arch}}")
endforeach()
