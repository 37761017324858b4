#!/usr/bin/env bash
# Builds and runs the benchmarks; each prints its figures beside its baseline.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cmake -S "$here" -B "$here/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON >/dev/null
cmake --build "$here/build-bench" --target bench_open_map bench_points bench_update
for bench in bench_open_map bench_points bench_update; do
  "$here/build-bench/bench/$bench" 2>/dev/null
done
