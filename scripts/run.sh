#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sets up the machine, builds the project and opens TarnEdit on a generated sample game:
#   sample/original/Tarn.exe   the original executable (only read)
#   sample/game/Tarn.exe       the translated copy in the game folder (rewritten on save)
#   sample/tarnedit.ini        TarnEdit's settings for this sample
# An existing sample is kept, so translations made in an earlier run stay.
# Extra arguments are passed to TarnEdit.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
cmake --preset default >/dev/null
cmake --build --preset default -j2 --target tarntool TarnEdit

tool=build/tarntool/tarntool
mkdir -p sample/original sample/game
if [ ! -f sample/game/Tarn.exe ]; then
    # A whole sample game (executable and object files) where tarntool can make one,
    # otherwise a sample executable.
    if ! "$tool" sample-game sample/game 2>/dev/null; then
        "$tool" exe sample 2 sample/game/Tarn.exe
    fi
fi
if [ ! -f sample/original/Tarn.exe ]; then
    cp sample/game/Tarn.exe sample/original/Tarn.exe
fi
if [ ! -f sample/tarnedit.ini ]; then
    printf '[Paths]\r\nOrigExePath=%s\r\nTransExePath=%s\r\n' \
        "$PWD/sample/original/Tarn.exe" "$PWD/sample/game/Tarn.exe" >sample/tarnedit.ini
fi
"$tool" exe info sample/game/Tarn.exe

editor=(build/app/main/TarnEdit --settings "$PWD/sample/tarnedit.ini" "$@")
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
    echo "run: no display found, so TarnEdit cannot open its window here."
    echo "run: start it under a virtual display instead (xvfb-run is installed by bootstrap):"
    echo "       xvfb-run -a ${editor[*]}"
    echo "run: or connect to a desktop (ssh -X, a VNC session) and run: ${editor[*]}"
    exit 0
fi
exec "${editor[@]}"
