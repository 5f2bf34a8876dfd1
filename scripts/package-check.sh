#!/usr/bin/env bash
# Builds the Debian package from a configured, built tree (default: build/), checks its desktop
# entry, unpacks it into a temporary folder and runs the installed programs from there.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}

rm -f "$build"/tarn-workbench_*.deb
(cd "$build" && cpack -G DEB >/dev/null)
package=$(ls "$build"/tarn-workbench_*.deb)
echo "package-check: $package"
dpkg-deb --field "$package" Depends

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$package" "$unpacked"
desktop-file-validate "$unpacked/usr/share/applications/tarnedit.desktop"
test -f "$unpacked/usr/share/icons/hicolor/scalable/apps/tarnedit.svg"
"$unpacked/usr/bin/tarntool" --version
QT_QPA_PLATFORM=offscreen "$unpacked/usr/bin/TarnEdit" --version
echo "package-check: the package installs and its programs start"
