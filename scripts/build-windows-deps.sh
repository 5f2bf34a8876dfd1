#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes the Windows dependency prefix of the Windows build (preset windows, TARN_WINDOWS_DEPS)
# from Debian's own source packages with Debian's MinGW-w64 (x86_64-w64-mingw32, POSIX threads):
# a static Qt 6 (Core, Gui, Widgets, Test; windows and offscreen platforms; bundled zlib, PNG,
# FreeType, HarfBuzz, PCRE2, md4c; no OpenGL, network, SQL or D-Bus), a static libgettextpo
# (UTF-8 PO files, no iconv) and a static Hunspell. About 45 minutes on 2 cores.
#
#   scripts/build-windows-deps.sh [PREFIX]    (default ~/.local/tarn-windows-deps)
#
# The sources come through apt-get source: a deb-src entry for the Debian release this runs on
# is added for the download and removed afterwards, whatever happens. WORK (default a folder
# under /tmp) keeps the sources and the builds; a second run reuses what is there.
set -euo pipefail
prefix=$(realpath -m "${1:-$HOME/.local/tarn-windows-deps}")
work=${WORK:-/tmp/tarn-windows-deps-build}
triple=x86_64-w64-mingw32
SUDO=""
if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi

say() { echo "build-windows-deps: $*"; }

. /etc/os-release
release=${VERSION_CODENAME:?this script runs on Debian}
say "prefix $prefix, sources of Debian $release, work in $work"
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
    qt6-base-dev g++-mingw-w64-x86-64-posix cmake ninja-build dpkg-dev autoconf automake \
    libtool xz-utils >/dev/null
mkdir -p "$work" "$prefix"
cd "$work"

# The three source packages, fetched once.
if [ ! -d qtbase ] || [ ! -d gettext ] || [ ! -d hunspell ]; then
    sources=/etc/apt/sources.list.d/zz-tarn-windows-deps-src.sources
    trap '$SUDO rm -f "$sources"; $SUDO apt-get update -qq || true' EXIT
    printf 'Types: deb-src\nURIs: http://deb.debian.org/debian\nSuites: %s\nComponents: main\nSigned-By: /usr/share/keyrings/debian-archive-keyring.gpg\n' \
        "$release" | $SUDO tee "$sources" >/dev/null
    $SUDO apt-get update -qq
    apt-get source --download-only qt6-base gettext hunspell >/dev/null
    $SUDO rm -f "$sources"
    $SUDO apt-get update -qq || true
    trap - EXIT
    [ -d qtbase ] || { tar -xJf qt6-base_*.orig.tar.xz && mv qtbase-everywhere-src-* qtbase; }
    [ -d gettext ] || { tar -xJf gettext_*.orig.tar.xz && mv gettext-0* gettext; }
    [ -d hunspell ] || { tar -xf hunspell_*.orig.tar.* && mv hunspell-1* hunspell; }
    # With OpenGL off, Qt's Windows platform plugin must not reach for its software-GL check,
    # which only exists with OpenGL.
    sed -i 's/^#if QT_CONFIG(dynamicgl)$/#if QT_CONFIG(dynamicgl) \&\& QT_CONFIG(opengl)/' \
        qtbase/src/plugins/platforms/windows/qwindowswindow.cpp
fi

# The MinGW-w64 toolchain, kept in the prefix for Qt's toolchain file to chain-load.
toolchain=$work/mingw-w64-x86_64.cmake
cat >"$toolchain" <<TC
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)
set(CMAKE_C_COMPILER $triple-gcc-posix)
set(CMAKE_CXX_COMPILER $triple-g++-posix)
set(CMAKE_RC_COMPILER $triple-windres)
set(CMAKE_FIND_ROOT_PATH /usr/$triple)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
TC
cross=("--host=$triple" "--prefix=$prefix" --enable-static --disable-shared --disable-nls
       "CC=$triple-gcc-posix" "CXX=$triple-g++-posix")

if [ ! -f "$prefix/lib/libhunspell-1.7.a" ]; then
    say "Hunspell"
    (cd hunspell && { [ -x configure ] || autoreconf -fi >"$work/hunspell-autoreconf.log" 2>&1; } &&
        ./configure "${cross[@]}" --without-ui --without-readline >"$work/hunspell-configure.log" 2>&1 &&
        make -C src/hunspell -j2 >"$work/hunspell-build.log" 2>&1 &&
        make -C src/hunspell install >"$work/hunspell-install.log" 2>&1)
fi

if [ ! -f "$prefix/lib/libgettextpo.a" ]; then
    say "libgettextpo"
    (cd gettext/gettext-tools &&
        ./configure "${cross[@]}" --disable-java --disable-csharp --disable-openmp --without-emacs \
            --without-git --without-cvs --without-bzip2 --without-xz --disable-libasprintf \
            --disable-curses --disable-acl >"$work/gettext-configure.log" 2>&1 &&
        make -C libgettextpo -j2 >"$work/gettext-build.log" 2>&1 &&
        make -C libgettextpo install >"$work/gettext-install.log" 2>&1)
fi

if [ ! -f "$prefix/lib/libQt6Widgets.a" ]; then
    say "Qt (the long part)"
    cmake -S qtbase -B qt-build -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DBUILD_SHARED_LIBS=OFF -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DQT_BUILD_BENCHMARKS=OFF \
        -DFEATURE_sql=OFF -DFEATURE_network=OFF -DFEATURE_dbus=OFF -DFEATURE_opengl=OFF \
        -DFEATURE_printsupport=OFF -DFEATURE_xml=OFF -DFEATURE_concurrent=OFF \
        -DFEATURE_vulkan=OFF -DFEATURE_system_zlib=OFF -DFEATURE_system_pcre2=OFF \
        -DFEATURE_system_freetype=OFF -DFEATURE_system_harfbuzz=OFF -DFEATURE_system_libpng=OFF \
        -DFEATURE_system_jpeg=OFF -DFEATURE_system_doubleconversion=OFF -DFEATURE_system_md4c=OFF \
        -DFEATURE_tabletevent=OFF -DFEATURE_freetype=ON -DFEATURE_fontconfig=OFF \
        -DFEATURE_icu=OFF >"$work/qt-configure.log" 2>&1
    nice -n 19 cmake --build qt-build -j2 >"$work/qt-build.log" 2>&1
    cmake --install qt-build >"$work/qt-install.log" 2>&1
fi

# Qt's toolchain file names the toolchain by its path on this machine: it chain-loads the copy
# beside it instead, so that the prefix may be moved.
qt_cmake=$prefix/lib/cmake/Qt6
cp "$toolchain" "$qt_cmake/mingw-w64-x86_64.cmake"
sed -i 's|^set(__qt_initially_configured_toolchain_file .*)$|set(__qt_initially_configured_toolchain_file "${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake")|' \
    "$qt_cmake/qt.toolchain.cmake"
say "done: cmake --preset windows with TARN_WINDOWS_DEPS=$prefix"
