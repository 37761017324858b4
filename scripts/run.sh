#!/usr/bin/env bash
# Builds ワンデロ, installs it into its installation folder (by default
# ~/ワンデロ) and starts the map program there. Running it again replaces the
# programs and keeps the database and every picture in the folder.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
folder="${1:-$HOME/ワンデロ}"

bash "$here/scripts/packages.sh"
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$here/build"
cmake --install "$here/build" --prefix "$folder" >/dev/null
echo "ワンデロ is installed in $folder"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ] && [ -z "${QT_QPA_PLATFORM:-}" ]; then
  echo
  echo "There is no display here, so the map program cannot open its windows."
  echo "画面（ディスプレイ）がないので、ワンデロのウインドウを開けません。"
  echo "Start it from a desktop session:   \"$folder/wandelo\""
  echo "or on a virtual screen:            xvfb-run -a \"$folder/wandelo\""
  echo "(xvfb-run comes with: apt-get install xvfb)"
  exit 0
fi
exec "$folder/wandelo"
