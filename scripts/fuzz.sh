#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Builds the libFuzzer targets of fuzz/ with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer (build dir build-fuzz/) and runs each for a bounded time.
#   scripts/fuzz.sh [seconds per target, default 60] [target...]
# Each run starts from the target's seed corpus in fuzz/corpus/<target>/ and grows a working
# corpus in build-fuzz/corpus/<target>/. A failing input is saved in build-fuzz/crashes/<target>/;
# add it to the seed corpus once the fault is fixed, so the replay test keeps it fixed.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true

cmake --preset fuzz >/dev/null
cmake --build build-fuzz --target fuzzers -j2

if [ $# -gt 0 ]; then
    targets=("$@")
else
    targets=()
    for f in fuzz/*_fuzz.cpp; do
        name=$(basename "$f" _fuzz.cpp)
        targets+=("$name")
    done
fi

export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export LSAN_OPTIONS=suppressions=$PWD/scripts/lsan.supp:print_suppressions=0
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
status=0
for name in "${targets[@]}"; do
    work=build-fuzz/corpus/$name
    crashes=build-fuzz/crashes/$name
    mkdir -p "$work" "$crashes"
    echo "== fuzz $name for ${seconds}s"
    if ! build-fuzz/fuzz/fuzz_$name -max_total_time="$seconds" -max_len=4096 -timeout=10 \
            -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$crashes/" \
            "$work" "fuzz/corpus/$name" 2>"build-fuzz/fuzz_$name.log"; then
        echo "fuzz $name FAILED; see build-fuzz/fuzz_$name.log and $crashes/"
        tail -n 30 "build-fuzz/fuzz_$name.log"
        status=1
    fi
    grep -E "stat::number_of_executed_units|Done [0-9]+ runs" "build-fuzz/fuzz_$name.log" | tail -n 2 || true
done
exit $status
