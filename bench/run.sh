#!/usr/bin/env bash
# Builds and runs the benchmarks; each prints its figures beside its baseline.
set -euo pipefail
# The export benchmark compares with mogrify and cjpeg.
for p in imagemagick libjpeg-turbo-progs; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || {
    sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get install -y -qq "$p"; }
done
here="$(cd "$(dirname "$0")/.." && pwd)"
cmake -S "$here" -B "$here/build-bench" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON >/dev/null
cmake --build "$here/build-bench" --target bench_open_map bench_points bench_update bench_merge bench_html_export
for bench in bench_open_map bench_points bench_update bench_merge bench_html_export; do
  "$here/build-bench/bench/$bench" 2>/dev/null
done
