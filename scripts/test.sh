#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up the machine, builds everything and runs every test: first the normal build, then the
# AddressSanitizer/UndefinedBehaviorSanitizer build, then the Windows programs and their tests
# under Wine (label wine), wherever the Windows dependency prefix (TARN_WINDOWS_DEPS), wine64 and
# MinGW-w64 are present. TARN_WINDOWS=0 leaves the Windows pass out; TARN_WINDOWS=1 requires it
# (a missing prerequisite is then an error); TARN_WINDOWS=auto, the default, runs it when it can.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh

preset_suffix=""
if [ "${CI:-}" = "true" ] || [ "${TARN_STRICT:-}" = "1" ]; then preset_suffix="ci"; fi
normal=${preset_suffix:-default}
sanitized=${preset_suffix:+ci-}asan

export QT_QPA_PLATFORM=offscreen
for preset in "$normal" "$sanitized"; do
    echo "== build and test: $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset" -j2
    if [ "$preset" = "$normal" ]; then
        scripts/package-check.sh build
    fi
done

# The Windows build replays the golden script through tarntool.exe with the normal build's test.
deps=${TARN_WINDOWS_DEPS:-../shared/windows-deps}
windows=${TARN_WINDOWS:-auto}
if [ "$windows" != 0 ]; then
    missing=""
    [ -f "$deps/lib/cmake/Qt6/qt.toolchain.cmake" ] || missing+=" the Windows prefix ($deps)"
    [ -x /usr/lib/wine/wine64 ] || missing+=" wine64"
    command -v x86_64-w64-mingw32-g++-posix >/dev/null || missing+=" MinGW-w64"
    if [ -z "$missing" ]; then
        echo "== build and test: windows"
        export TARN_WINDOWS_DEPS
        TARN_WINDOWS_DEPS=$(cd "$deps" && pwd)
        cmake --preset windows >/dev/null
        cmake --build --preset windows
        ctest --preset windows -L wine -j2
    elif [ "$windows" = 1 ]; then
        echo "test.sh: the Windows pass needs$missing" >&2
        exit 1
    else
        echo "== windows: left out, missing$missing"
    fi
fi
