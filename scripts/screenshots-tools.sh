#!/usr/bin/env bash
# Makes the README's screenshots of the database tools: every tools window
# on a throwaway installation folder with a few children's maps, drawn on
# Qt's offscreen platform (no display needed).
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
bash "$here/scripts/packages.sh"
cmake -S "$here" -B "$here/build-tests" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DBUILD_TESTING=ON >/dev/null
cmake --build "$here/build-tests" --target kovr_screenshots
QT_QPA_PLATFORM=offscreen "$here/build-tests/tests/kovr_screenshots" "$here/docs/screenshots"
echo "screenshots in $here/docs/screenshots"
