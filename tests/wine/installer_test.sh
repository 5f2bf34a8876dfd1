#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows installer made by cpack (NSIS), run silently as a user without administrator
# rights: it installs under %LOCALAPPDATA%\Programs with a Start-menu entry, the installed
# TarnEdit.exe answers --version, and its uninstaller removes what it installed and nothing the
# translator made beside the programs (settings, journals, word lists). NSIS installers are
# 32-bit programs: this needs a Wine that runs them.
# installer_test.sh BUILD WINE_RUN WINE PREFIX VERSION
set -euo pipefail
build=$1 wine_run=$2 wine=$3 prefix=$4 version=$5
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

(cd "$build" && cpack -G NSIS -B "$scratch/package" >/dev/null)
installer="$scratch/package/TarnWorkbench-$version-win64.exe"
[ -f "$installer" ] || { ls "$scratch/package"; fail "no $installer"; }
# The installer shows the licence on a page of its own before anything is installed.
script=$(find "$scratch/package" -name project.nsi | head -1)
licence=$(sed -n 's/^ *!insertmacro MUI_PAGE_LICENSE "\(.*\)"/\1/p' "$script")
[ -n "$licence" ] || fail "the installer shows no licence page"
grep -q "GNU GENERAL PUBLIC LICENSE" "$licence" || fail "the licence page shows $licence"

run() { "$wine_run" "$wine" "$prefix" "$@"; }
run "$installer" /S
folder=$(find "$prefix/drive_c/users" -path '*/AppData/Local/Programs/TarnWorkbench' -type d | head -1)
[ -n "$folder" ] || fail "nothing installed under %LOCALAPPDATA%\\Programs\\TarnWorkbench"
for file in TarnEdit.exe tarntool.exe README.txt COPYING.txt THIRD-PARTY-NOTICES.txt \
    docs/user-guide.html Uninstall.exe; do
    [ -f "$folder/$file" ] || fail "the installer did not install $file"
done
find "$prefix/drive_c/users" -path '*Start Menu*' -name 'TarnEdit.lnk' | grep -q . ||
    fail "no Start-menu entry for TarnEdit"
answer=$(run "$folder/TarnEdit.exe" --version | tr -d '\r')
[ "$answer" = "TarnEdit $version" ] || fail "the installed TarnEdit.exe --version: $answer"

# What the translator keeps beside the programs.
mine=(tarnedit.ini .tarnedit.journal words.dic)
for file in "${mine[@]}"; do echo kept >"$folder/$file"; done
run "$folder/Uninstall.exe" /S
# The uninstaller runs on from a copy of itself: wait until it is done.
for _ in $(seq 300); do
    [ -e "$folder/TarnEdit.exe" ] || [ -e "$folder/Uninstall.exe" ] || break
    sleep 0.2
done
sleep 1
for file in TarnEdit.exe tarntool.exe README.txt docs/user-guide.html Uninstall.exe; do
    [ ! -e "$folder/$file" ] || fail "the uninstaller left $file"
done
for file in "${mine[@]}"; do
    [ -f "$folder/$file" ] || fail "the uninstaller removed the translator's $file"
done
! find "$prefix/drive_c/users" -path '*Start Menu*' -name 'TarnEdit.lnk' | grep -q . ||
    fail "the Start-menu entry was left"
echo "installed, answered and uninstalled; the translator's files stayed"
