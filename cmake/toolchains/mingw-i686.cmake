# SPDX-License-Identifier: GPL-3.0-or-later
# Cross-builds for 32-bit Windows with Debian's MinGW-w64 (package g++-mingw-w64-i686).
set(CMAKE_SYSTEM_PROCESSOR i686)
set(TARN_MINGW_TRIPLE i686-w64-mingw32)
include(${CMAKE_CURRENT_LIST_DIR}/mingw-common.cmake)
