#!/usr/bin/env bash
# Builds ワンデロ, installs it into its installation folder (by default
# ~/ワンデロ), puts both programs into this account's applications menu and
# starts the map program there. Running it again replaces the programs and
# keeps the database and every picture in the folder.
#   bash scripts/run.sh [folder] [--group NAME]
# --group NAME: the folder is shared by the accounts of the group NAME, who
# may all write the database and the picture folders.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
folder="$HOME/ワンデロ"
group=""
while [ $# -gt 0 ]; do
  case "$1" in
    --group) [ $# -ge 2 ] || { echo "--group needs a group name" >&2; exit 2; }; group="$2"; shift 2 ;;
    --group=*) group="${1#--group=}"; shift ;;
    -*) echo "unknown option: $1" >&2; exit 2 ;;
    *) folder="$1"; shift ;;
  esac
done
if [ -n "$group" ] && ! getent group "$group" >/dev/null; then
  echo "グループ $group はありません。 (There is no group $group: sudo groupadd $group)" >&2
  exit 2
fi

bash "$here/scripts/packages.sh" --desktop
cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$here/build"
cmake --install "$here/build" --prefix "$folder" >/dev/null
if [ -n "$group" ]; then
  bash "$here/scripts/share-folder.sh" "$folder" "$group"
fi
bash "$here/scripts/menu-entries.sh" "$folder" "$here/build/icons"
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
