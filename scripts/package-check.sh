#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the Debian package from a configured, built tree (default: build/), checks its desktop
# entry and its copyright file, unpacks it into a temporary folder and runs the installed
# programs from there.
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
test -f "$unpacked/usr/share/doc/tarn-workbench/THIRD-PARTY-NOTICES.txt"
# Debian's checker on the licence: a machine-readable copyright file that it accepts.
if command -v lintian >/dev/null; then
    report=$(lintian "$package" 2>&1 || true)
    if grep -E '^[EW]: .*copyright' <<<"$report"; then
        echo "package-check: lintian finds fault with the package's copyright file" >&2
        exit 1
    fi
fi
test -f "$unpacked/usr/share/icons/hicolor/scalable/apps/tarnedit.svg"
"$unpacked/usr/bin/tarntool" --version
QT_QPA_PLATFORM=offscreen "$unpacked/usr/bin/TarnEdit" --version
echo "package-check: the package installs and its programs start"
