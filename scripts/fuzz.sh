#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, AddressSanitizer, UndefinedBehaviorSanitizer)
# into build-fuzz/ (or $CORVANE_FUZZ_BUILD_DIR) and runs each for SECONDS
# (default 60) on a copy of its seed corpus. Exits non-zero on any crash, leak,
# timeout or out-of-memory; the input that caused it is kept in the run folder.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVANE_FUZZ_BUILD_DIR:-$here/build-fuzz}
seconds=${1:-60}
targets=(read_roadway_fuzz pipeline_fuzz)

"$here/scripts/install-deps.sh" clang libclang-rt-14-dev cmake ninja-build

CC=clang CXX=clang++ cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVANE_WERROR=ON -DCORVANE_FUZZ=ON >/dev/null
cmake --build "$build" -j2 --target "${targets[@]}"

# Inputs up to 16 KiB: room for 2001 divided stations, small enough for
# thousands of runs a second. libFuzzer exits non-zero on any fault.
runs="$build/fuzz-runs"
rm -rf "$runs"
status=0
for target in "${targets[@]}"; do
    mkdir -p "$runs/$target/corpus"
    cp "$here/fuzz/corpus/$target/"* "$runs/$target/corpus/"
    echo "== $target: $seconds s" >&2
    if ! "$build/fuzz/$target" -max_total_time="$seconds" -max_len=16384 -timeout=10 \
        -rss_limit_mb=2048 -dict="$here/fuzz/paving.dict" -print_final_stats=1 \
        -artifact_prefix="$runs/$target/" "$runs/$target/corpus" >"$runs/$target/log" 2>&1; then
        echo "$target found a fault; input and log in $runs/$target:" >&2
        grep -v '^INFO' "$runs/$target/log" | tail -n 40 >&2
        status=1
        continue
    fi
    grep -E '^(#[0-9]+[[:space:]]+DONE|stat::number_of_executed_units|stat::average_exec_per_sec)' \
        "$runs/$target/log" >&2
done
exit $status
