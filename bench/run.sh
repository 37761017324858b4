#!/usr/bin/env bash
# Builds and runs the benchmarks; each prints its figures beside its floor
# (the same work with nothing in between), and the run ends with one table.
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
summary="$(mktemp)"; errors="$(mktemp)"
trap 'rm -f "$summary" "$errors"' EXIT
export WANDELO_BENCH_SUMMARY="$summary"
for bench in bench_open_map bench_points bench_update bench_merge bench_html_export; do
  # Qt's warnings stay out of the figures; a benchmark that fails shows why.
  "$here/build-bench/bench/$bench" 2>"$errors" || { echo "$bench failed:"; tail -n 20 "$errors"; exit 1; }
done

echo
awk -F'\t' 'BEGIN { printf "%-53s %11s %11s %7s %8s %s\n", "work", "time", "floor", "ratio", "goal", "met" }
            { printf "%-53s %11s %11s %7s %8s %s\n", $1, $2, $3, $4, $5, $6 }' "$summary"
echo "ratio: median of the runs' ratios, each run paired with the floor run made right after it"
echo "(peak memory: the ratio of the two medians, each map opened in a fresh process)"
