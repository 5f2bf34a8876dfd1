# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows build of the programs (preset windows): Debian's MinGW-w64 for 64-bit Windows with
# the static Qt, libgettextpo and Hunspell of a Windows dependency prefix. The prefix is
# TARN_WINDOWS_DEPS (cache or environment), else ../shared/windows-deps beside the sources, else
# where scripts/build-windows-deps.sh installs by default.
if(NOT TARN_WINDOWS_DEPS)
    if(DEFINED ENV{TARN_WINDOWS_DEPS} AND NOT "$ENV{TARN_WINDOWS_DEPS}" STREQUAL "")
        set(TARN_WINDOWS_DEPS "$ENV{TARN_WINDOWS_DEPS}")
    elseif(EXISTS "${CMAKE_CURRENT_LIST_DIR}/../../../shared/windows-deps")
        get_filename_component(TARN_WINDOWS_DEPS
            "${CMAKE_CURRENT_LIST_DIR}/../../../shared/windows-deps" ABSOLUTE)
    else()
        set(TARN_WINDOWS_DEPS "$ENV{HOME}/.local/tarn-windows-deps")
    endif()
endif()
set(TARN_WINDOWS_DEPS "${TARN_WINDOWS_DEPS}" CACHE PATH "The Windows dependency prefix")
# The compile checks run this file again in a fresh scope: they find the prefix here.
set(ENV{TARN_WINDOWS_DEPS} "${TARN_WINDOWS_DEPS}")

set(qt_toolchain "${TARN_WINDOWS_DEPS}/lib/cmake/Qt6/qt.toolchain.cmake")
if(NOT EXISTS "${qt_toolchain}")
    message(FATAL_ERROR "No Windows dependencies in \"${TARN_WINDOWS_DEPS}\": set TARN_WINDOWS_DEPS "
                        "to their prefix, or make them with scripts/build-windows-deps.sh")
endif()
# Qt's file chain-loads the MinGW-w64 toolchain kept beside it.
include("${qt_toolchain}")

# moc, rcc and uic of the same Qt version run on the build machine (Debian's qt6-base-dev).
set(QT_HOST_PATH /usr CACHE PATH "The Qt of the build machine, for its tools")
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake CACHE PATH "")

# Players and translators get single programs: no run-time libraries to ship beside them.
set(CMAKE_EXE_LINKER_FLAGS_INIT "-static -static-libgcc -static-libstdc++")
