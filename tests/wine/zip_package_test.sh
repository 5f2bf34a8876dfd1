#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The Windows ZIP package: made by cpack, it holds one folder TarnWorkbench-VERSION; unpacked
# into a folder whose name holds a space and a Polish letter, both programs answer from there,
# the guide is its Windows edition, and tarntool.exe spells with the dictionaries it carries.
# zip_package_test.sh BUILD WINE_RUN WINE PREFIX VERSION
set -euo pipefail
build=$1 wine_run=$2 wine=$3 prefix=$4 version=$5
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

(cd "$build" && cpack -G ZIP -B "$scratch/package" >/dev/null)
zip="$scratch/package/TarnWorkbench-$version-win64.zip"
[ -f "$zip" ] || { echo "no $zip"; ls "$scratch/package"; exit 1; }

unpacked="$scratch/Tarn ż programy"
mkdir -p "$unpacked"
(cd "$unpacked" && cmake -E tar xf "$zip")
# One folder at the top, named after the version.
top=$(ls -A "$unpacked")
[ "$top" = "TarnWorkbench-$version" ] || { echo "the ZIP's top level holds: $top"; exit 1; }
folder="$unpacked/$top"
for file in TarnEdit.exe tarntool.exe README.txt COPYING.txt THIRD-PARTY-NOTICES.txt docs/user-guide.md \
    docs/user-guide.html; do
    [ -f "$folder/$file" ] || { echo "the package lacks $file"; ls -R "$folder"; exit 1; }
done
# The guide is its Windows edition, in Markdown and as HTML.
for guide in docs/user-guide.md docs/user-guide.html; do
    grep -q '%APPDATA%' "$folder/$guide" && ! grep -q 'scripts/run.sh' "$folder/$guide" ||
        { echo "$guide is not the guide's Windows edition"; exit 1; }
done

run() { "$wine_run" "$wine" "$prefix" "$@"; }
answer=$(cd "$folder" && run ./TarnEdit.exe --version | tr -d '\r')
[ "$answer" = "TarnEdit $version" ] || { echo "TarnEdit.exe --version: $answer"; exit 1; }
cd "$folder"
run ./tarntool.exe sample-game game >/dev/null
info=$(run ./tarntool.exe exe info game/Tarn.exe | tr -d '\r')
echo "$info"
grep -q . <<<"$info" || { echo "tarntool.exe exe info printed nothing"; exit 1; }

# The package's dictionaries, each with its licence, serve spelling from beside the programs,
# and the package stays under 60 MB.
for file in dictionaries/pl_PL.aff dictionaries/pl_PL.dic dictionaries/pl_PL-licence.txt; do
    [ -f "$folder/$file" ] || { echo "the package lacks $file"; exit 1; }
done
run ./tarntool.exe exe check game/Tarn.exe game/Tarn.exe --spelling pl >/dev/null ||
    { echo "tarntool.exe found no Polish dictionary beside it"; exit 1; }
size=$(stat -c %s "$zip")
[ "$size" -lt 60000000 ] || { echo "the package holds $size bytes"; exit 1; }
