#!/usr/bin/env bash
# Sets up the machine, builds everything and runs every test: first the normal build,
# then the AddressSanitizer/UndefinedBehaviorSanitizer build.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/bootstrap.sh

preset_suffix=""
if [ "${CI:-}" = "true" ] || [ "${TARN_STRICT:-}" = "1" ]; then preset_suffix="ci"; fi
normal=${preset_suffix:-default}
sanitized=${preset_suffix:+ci-}asan

export QT_QPA_PLATFORM=offscreen
for preset in "$normal" "$sanitized"; do
    echo "== build and test: $preset"
    cmake --preset "$preset" >/dev/null
    cmake --build --preset "$preset"
    ctest --preset "$preset" -j2
    if [ "$preset" = "$normal" ]; then
        scripts/package-check.sh build
    fi
done
