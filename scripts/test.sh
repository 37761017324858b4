#!/usr/bin/env bash
# Builds everything and runs every test. The tests need no display: the
# windows are drawn on Qt's offscreen platform.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"

bash "$here/scripts/packages.sh" --tests
cmake -S "$here" -B "$here/build-tests" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON >/dev/null
cmake --build "$here/build-tests"
cd "$here/build-tests"
QT_QPA_PLATFORM=offscreen ctest --output-on-failure
