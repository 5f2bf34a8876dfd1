#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# TarnEdit.exe as a translator starts it: Wine's own window system under a virtual X display,
# the sample game's original and translated executables, and only keys. It opens both files,
# takes an edit of text 6 (jump to it, type, Enter), saves it with Ctrl+S, and the saved
# executable must be byte for byte what the Linux tarntool makes of the same edit. The time from
# start until the texts are loaded is printed, not checked (a loaded machine varies too much).
# tarnedit_end_to_end_test.sh TARNEDIT_EXE TARNTOOL WINE_RUN WINE PREFIX
# PREFIX is this test's own: Wine's desktop process belongs to the display of the prefix's first
# window, and the other tests run theirs without one.
set -euo pipefail
tarnedit=$1 tarntool=$2 wine_run=$3 wine=$4 prefix=$5
typed="Witaj w grze"
scratch=$(mktemp -d)
xvfb_pid="" tarnedit_pid=""
cleanup() {
    [ -n "$tarnedit_pid" ] && kill "$tarnedit_pid" 2>/dev/null
    [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
    WINEPREFIX=$prefix "$(dirname "$wine")/wineserver" -k 2>/dev/null
    wait 2>/dev/null
    rm -rf "$scratch"
}
trap cleanup EXIT
fail() { echo "FAIL: $*"; exit 1; }
now() { date +%s.%N; }
# waits up to $1 seconds for the command after it to succeed
within() {
    local limit=$1
    shift
    local end=$(($(date +%s) + limit))
    until "$@"; do
        [ "$(date +%s)" -lt "$end" ] || return 1
        # The program may end between the check and here; that is the awaited state at its close.
        [ -z "$tarnedit_pid" ] || kill -0 "$tarnedit_pid" 2>/dev/null || "$@" ||
            fail "TarnEdit.exe ended"
        sleep 0.1
    done
}

# The game: the original, the translation being edited and the Linux program's save of the edit.
"$tarntool" sample-game "$scratch/original" >/dev/null
mkdir "$scratch/game" "$scratch/expected"
cp "$scratch/original/Tarn.exe" "$scratch/game/Tarn.exe"
cp "$scratch/original/Tarn.exe" "$scratch/expected/Tarn.exe"
"$tarntool" exe export "$scratch/expected/Tarn.exe" -o "$scratch/texts.txt"
sed -i "6s/.*/$typed/" "$scratch/texts.txt"
"$tarntool" exe import "$scratch/expected/Tarn.exe" "$scratch/texts.txt" >/dev/null
cmp -s "$scratch/expected/Tarn.exe" "$scratch/game/Tarn.exe" && fail "the edit changes nothing"

windows() { printf 'Z:%s' "${1//\//\\}"; }
printf '[Paths]\r\nOrigExePath=%s\r\nTransExePath=%s\r\n' \
    "$(windows "$scratch/original/Tarn.exe")" "$(windows "$scratch/game/Tarn.exe")" \
    >"$scratch/tarnedit.ini"

# A display of its own: the first free one Xvfb finds.
mkfifo "$scratch/display"
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$scratch/display" >/dev/null 2>&1 &
xvfb_pid=$!
read -r -t 30 display <"$scratch/display" || fail "Xvfb did not start"
export DISPLAY=:$display
export QT_QPA_PLATFORM=windows

started=$(now)
"$wine_run" "$wine" "$prefix" "$tarnedit" --settings "$(windows "$scratch/tarnedit.ini")" &
tarnedit_pid=$!
main_window() { window=$(xdotool search --onlyvisible --name '^TarnEdit' 2>/dev/null | head -1); }
shown() { main_window && [ -n "$window" ]; }
within 120 shown || fail "TarnEdit.exe showed no window"

# No window manager runs: the keys go where the focus is put and the pointer rests.
focus() {
    xdotool windowfocus "$1" mousemove --window "$1" 40 40 2>/dev/null || true
    sleep 0.3
}
keys() { focus "$window"; xdotool "$@"; }
dialog() { jump=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1) && [ -n "$jump" ]; }
# Both files are loaded before the window handles its first key: ready is when F4 (Jump to...)
# is answered. A key sent before the window took the focus is lost, so F4 is sent again.
answers() {
    dialog '^Jump to' && return 0
    keys key F4
    within 3 dialog '^Jump to' 2>/dev/null
}
within 120 answers || fail "TarnEdit.exe did not answer F4 with Jump to..."
ready=$(now)
awk -v s="$started" -v r="$ready" 'BEGIN { printf "TarnEdit.exe ready after %.2f s\n", r - s }'
focus "$jump"
xdotool type --delay 50 6
xdotool key Return
within 30 bash -c "! xdotool search --onlyvisible --name '^Jump to' >/dev/null 2>&1" ||
    fail "Jump to... did not close"
keys key Right
xdotool type --delay 50 "$typed"
xdotool key Return
xdotool key ctrl+s
saved() { cmp -s "$scratch/expected/Tarn.exe" "$scratch/game/Tarn.exe"; }
if ! within 60 saved; then
    cmp "$scratch/expected/Tarn.exe" "$scratch/game/Tarn.exe" || true
    fail "the saved executable is not the Linux program's save of the same edit"
fi
echo "saved: byte-identical to tarntool exe import"

keys key alt+F4
closed() { ! kill -0 "$tarnedit_pid" 2>/dev/null; }
within 30 closed || fail "TarnEdit.exe did not close"
wait "$tarnedit_pid" || fail "TarnEdit.exe ended with status $?"
tarnedit_pid=""
[ ! -e "$scratch/game/.Tarn.exe.tarnlock" ] || fail "the lock was left behind"
