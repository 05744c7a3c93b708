#!/usr/bin/env bash
# Runs every benchmark binary of a build folder: bash scripts/bench.sh <builddir>
set -euo pipefail

build_dir="${1:-build}"
bench_dir="$build_dir/bench"
if [ ! -d "$bench_dir" ]; then
    echo "no benchmarks in $bench_dir (build first)" >&2
    exit 1
fi

found=0
for bin in "$bench_dir"/bench_*; do
    [ -f "$bin" ] && [ -x "$bin" ] || continue
    found=1
    echo "== $(basename "$bin")"
    "$bin"
    echo
done
[ "$found" -eq 1 ] || { echo "no bench_* binaries in $bench_dir" >&2; exit 1; }
