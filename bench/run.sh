#!/usr/bin/env bash
# Builds and runs the benchmarks; each prints its figure beside its baseline.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
cmake -S "$here" -B "$here/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON >/dev/null
cmake --build "$here/build-bench" --target bench_open_map
"$here/build-bench/bench/bench_open_map"
