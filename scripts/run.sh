#!/usr/bin/env bash
# Sets up the machine, builds the project and shows it on a generated sample game.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh
cmake --preset default >/dev/null
cmake --build --preset default
mkdir -p sample
build/tarntool/tarntool exe sample 2 sample/Tarn.exe
build/tarntool/tarntool exe info sample/Tarn.exe
build/tarntool/tarntool exe export sample/Tarn.exe | head -n 20
