#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the Debian packages the project builds with. Idempotent: packages already present
# are not installed again, and apt is only asked when something is missing.
set -euo pipefail

packages=(
    build-essential g++ cmake ninja-build pkg-config
    libgtest-dev libgmock-dev googletest libbenchmark-dev
    libcli11-dev nlohmann-json3-dev  # tarntool's command line and its JSON output
    qt6-base-dev libgl-dev
    libgettextpo-dev gettext  # PO files: read and written by libgettextpo, checked by msgfmt
    libhunspell-dev  # spelling; the tests make their own small dictionaries
    # the dictionaries the Windows package carries (cmake/WindowsPackage.cmake)
    hunspell-pl hunspell-cs hunspell-sk hunspell-hu hunspell-sl hunspell-hr hunspell-ro
    hunspell-ru hunspell-bg hunspell-uk hunspell-de-de hunspell-fr-classical hunspell-es
    hunspell-it hunspell-pt-br hunspell-pt-pt hunspell-nl hunspell-en-us
    liburing-dev  # many small files read in a few system calls (io_uring), linked statically
    translate-toolkit  # po2ts reads our PO exports in the tests
    xvfb xauth
    dpkg-dev file desktop-file-utils lintian  # the Debian package: dependencies, its checks
    fonts-freefont-ttf  # shows the control pictures the grid uses for the game's control bytes
    clang libclang-rt-14-dev  # the fuzz targets: libFuzzer with the sanitizers
    # cross-builds the end-user program for Windows and tests it under Wine
    g++-mingw-w64-i686 g++-mingw-w64-i686-posix g++-mingw-w64-x86-64 g++-mingw-w64-x86-64-posix
    wine64
    # the Windows package: the user guide as HTML, the installer; the end-to-end test of
    # TarnEdit.exe drives Wine's windows under Xvfb with keys
    cmark nsis xdotool
)

missing=()
for p in "${packages[@]}"; do
    if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
        missing+=("$p")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "bootstrap: installing ${missing[*]}"
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    # An index that fails to download (a mirror caught mid-sync, often only for one
    # architecture) leaves the older list in use; the install says what it cannot find.
    $SUDO apt-get update -qq || echo "bootstrap: some package lists could not be updated" >&2
    DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The 32-bit Wine runs the stand-in game and the 32-bit TarnPatch. It needs the i386
# architecture; where its packages cannot be installed (their lists out of step with the
# machine's own libraries), the tests that need it are left out, and this says so.
if ! dpkg-query -W -f='${Status}' wine32:i386 2>/dev/null | grep -q "install ok installed"; then
    SUDO=""
    if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
    if ! dpkg --print-foreign-architectures | grep -qx i386; then
        $SUDO dpkg --add-architecture i386
    fi
    echo "bootstrap: installing wine32:i386"
    $SUDO apt-get update -qq || echo "bootstrap: some package lists could not be updated" >&2
    if ! DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends \
            wine32:i386 >/dev/null; then
        echo "bootstrap: wine32:i386 could not be installed; the 32-bit Wine tests are left out" >&2
    fi
fi
