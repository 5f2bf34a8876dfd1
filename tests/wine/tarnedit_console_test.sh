#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# TarnEdit.exe, a windowed program, started from a console (cmd.exe in a pseudo-terminal, as a
# translator types it): --version and --help print in that console.
# tarnedit_console_test.sh TARNEDIT WINE_RUN WINE PREFIX VERSION
set -euo pipefail
tarnedit=$1 wine_run=$2 wine=$3 prefix=$4 version=$5
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$tarnedit" "$scratch/TarnEdit.exe"
cd "$scratch"
for option in --version --help; do
    # The console writes a space as a cursor move: compare the words alone.
    screen=$(script -qfec "'$wine_run' '$wine' '$prefix' cmd /c 'TarnEdit.exe $option'" /dev/null \
        </dev/null | sed 's/\x1b\[[0-9;?]*[A-Za-z]/ /g' | tr -s ' \r' ' ')
    case $option in
        --version) expected="TarnEdit $version" ;;
        --help) expected="Usage: TarnEdit [--settings FILE]" ;;
    esac
    if [[ "$screen" != *"$expected"* ]]; then
        echo "TarnEdit.exe $option did not print \"$expected\" in the console; it showed:"
        echo "$screen"
        exit 1
    fi
done
echo "TarnEdit.exe answers --version and --help in the console it was started from"
