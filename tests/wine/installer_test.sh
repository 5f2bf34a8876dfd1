#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows installer made by cpack (NSIS), run silently as a user without administrator
# rights: it shows the licence and offers to start TarnEdit and a desktop shortcut, installs
# under %LOCALAPPDATA%\Programs with a Start-menu entry, the installed TarnEdit.exe answers
# --version, and its uninstaller removes the program folder, the shortcuts and nothing of the
# translator's settings in %APPDATA%\TarnEdit. NSIS installers are 32-bit programs: this needs
# a Wine that runs them.
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
# Its finish page offers to start TarnEdit and to put a shortcut on the desktop.
grep -q 'MUI_FINISHPAGE_RUN .*TarnEdit.exe' "$script" || fail "the finish page does not start TarnEdit"
grep -q 'MUI_FINISHPAGE_RUN_TEXT "Start TarnEdit"' "$script" || fail "no \"Start TarnEdit\""
grep -q 'CreateShortCut "$DESKTOP\\TarnEdit.lnk"' "$script" || fail "no desktop shortcut offered"

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

# The translator's settings of the installed copy, and the shortcut the finish page made.
user=$(dirname "$(dirname "$(dirname "$(dirname "$folder")")")")
desktop=$(readlink -f "$user/Desktop")  # Wine may link it to the Unix desktop
mkdir -p "$user/AppData/Roaming/TarnEdit" "$desktop"
echo kept >"$user/AppData/Roaming/TarnEdit/tarnedit.ini"
echo link >"$desktop/TarnEdit.lnk"
run "$folder/Uninstall.exe" /S
# The uninstaller runs on from a copy of itself: wait until it is done.
for _ in $(seq 300); do
    [ -e "$folder" ] || break
    sleep 0.2
done
[ ! -e "$folder" ] || { find "$folder"; fail "the uninstaller left the program folder"; }
[ ! -e "$desktop/TarnEdit.lnk" ] || fail "the desktop shortcut was left"
[ -f "$user/AppData/Roaming/TarnEdit/tarnedit.ini" ] || fail "the uninstaller removed the settings"
! find "$prefix/drive_c/users" -path '*Start Menu*' -name 'TarnEdit.lnk' | grep -q . ||
    fail "the Start-menu entry was left"
echo "installed, answered and uninstalled; nothing left but the translator's settings"
