#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: first the normal build,
# then the AddressSanitizer/UndefinedBehaviorSanitizer build. TARN_WINDOWS=1 adds the Windows
# programs and their tests under Wine (label wine), which need the Windows dependency prefix,
# wine64 and MinGW-w64; TARN_WINDOWS=auto runs them wherever those are present. They are not run
# by default: some Wine starts still hang under load, and a hung start holds the run until its
# time limit.
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
windows=${TARN_WINDOWS:-0}
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
        ctest --preset windows -L wine
    elif [ "$windows" = 1 ]; then
        echo "test.sh: the Windows pass needs$missing" >&2
        exit 1
    else
        echo "== windows: left out, missing$missing"
    fi
fi
