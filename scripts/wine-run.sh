#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Runs a Windows program under Wine in a given prefix: wine-run.sh WINE PREFIX PROGRAM [ARGS...]
# The first start creates the prefix (once, whatever runs in parallel). Wine neither asks to
# install Mono or Gecko nor prints its own diagnostics; the program's exit status is returned.
set -euo pipefail
wine=$1 prefix=$2
shift 2
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
export LANG=C.UTF-8
unset LC_ALL
if [ ! -f "$prefix/system.reg" ]; then
    mkdir -p "$(dirname "$prefix")"
    (
        flock 9
        if [ ! -f "$prefix/system.reg" ]; then
            "$wine" wineboot -i >/dev/null 2>&1 || true
            "$(dirname "$wine")/wineserver" -w 2>/dev/null || true
        fi
    ) 9>"$prefix.lock"
fi
exec "$wine" "$@"
