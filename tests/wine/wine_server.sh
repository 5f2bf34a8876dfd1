#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Keeps one wineserver alive for a whole test run, so that each Windows program the tests start
# joins a running server instead of starting (and saving the registry of) one of its own.
# wine_server.sh start|stop WINE_RUN WINE PREFIX
set -euo pipefail
action=$1 wine_run=$2 wine=$3 prefix=$4
server=$(dirname "$wine")/wineserver
export WINEPREFIX=$prefix
case $action in
start)
    # A server left by an interrupted run would keep the prefix from being made or saved.
    [ ! -d "$prefix" ] || "$server" -k 2>/dev/null || true
    # Makes the prefix (once; its server ends when that is done), then a server that stays.
    "$wine_run" "$wine" "$prefix" cmd /c exit 0
    "$server" -w
    "$server" -p </dev/null >/dev/null 2>&1  # holds no test output open
    # Wine's own services (services.exe, rpcss, plugplay, winedevice) start with the first
    # program that joins the server and live as long as it, keeping that program's standard
    # output and error. Started here with none, no test's output stays open after its program
    # ends: CTest would otherwise wait for it until the test's time limit.
    "$wine_run" "$wine" "$prefix" cmd /c exit 0 </dev/null >/dev/null 2>&1
    ;;
stop)
    [ ! -d "$prefix" ] || "$server" -k 2>/dev/null || true
    ;;
*)
    echo "usage: wine_server.sh start|stop WINE_RUN WINE PREFIX" >&2
    exit 2
    ;;
esac
