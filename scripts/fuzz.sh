#!/usr/bin/env bash
# Builds every fuzz target with clang's libFuzzer and the address and undefined-behaviour
# sanitizers in BUILD_DIR, runs each for SECONDS on its checked-in corpus, and reports the
# executions and crashes per target. New inputs the fuzzer finds go to BUILD_DIR, never into
# the source tree; a crash's input is kept there to be added to the corpus with its fix.
# Usage: fuzz.sh BUILD_DIR SECONDS
set -euo pipefail

build_dir=${1:-build-fuzz}
seconds=${2:-60}
source_dir=$(cd "$(dirname "$0")/.." && pwd)
corpus_dir=$source_dir/fuzz/corpus

CC=clang CXX=clang++ cmake -S "$source_dir" -B "$build_dir" -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPULSEGEN_FUZZ=ON >/dev/null

targets=()
for dir in "$corpus_dir"/*/; do
    targets+=("$(basename "$dir")")
done
cmake --build "$build_dir" --target "${targets[@]/#/fuzz_}"

# A failed property aborts; leaks are reported as crashes, too.
export ASAN_OPTIONS=abort_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

failed=0
report=()
for t in "${targets[@]}"; do
    run=$build_dir/fuzz-runs/$t
    rm -rf "$run"
    mkdir -p "$run/corpus" "$run/artifacts"
    echo "fuzz_$t: ${seconds} s"
    status=0
    "$build_dir/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
        -artifact_prefix="$run/artifacts/" "$run/corpus" "$corpus_dir/$t" >"$run/log" 2>&1 ||
        status=$?
    execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$run/log" | tail -n 1)
    crashes=$(find "$run/artifacts" -type f | wc -l)
    if [ "$status" -ne 0 ] && [ "$crashes" -eq 0 ]; then
        crashes=1 # died without leaving an input: still a failure
    fi
    [ "$crashes" -ne 0 ] && failed=1
    report+=("$(printf '%-16s %12s %8s' "$t" "${execs:-?}" "$crashes")")
    if [ "$crashes" -ne 0 ]; then
        echo "  crashed, see $run/log and $run/artifacts/"
    fi
done

echo
printf '%-16s %12s %8s\n' target executions crashes
printf '%s\n' "${report[@]}"
exit $failed
