#!/usr/bin/env bash
# Makes the screenshots of the README: installs ワンデロ into a throwaway
# folder with a few children's maps, starts it on a virtual screen, chooses
# a name as a child would and photographs the windows.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
out="$here/docs/screenshots"

bash "$here/scripts/packages.sh"
need=()
for p in xvfb xdotool imagemagick sqlite3; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${need[@]}"
fi

cmake -S "$here" -B "$here/build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=OFF >/dev/null
cmake --build "$here/build"
folder="$(mktemp -d)/ワンデロ"
cmake --install "$here/build" --prefix "$folder" >/dev/null

sqlite3 "$folder/wandelo.mdb" <<'SQL'
INSERT INTO userdata VALUES ('はなこ', 2, '背景\park.bmp'), ('たろう', 3, '背景\schoolyard.bmp'),
                            ('ゆうき', 4, '背景\riverside.bmp');
INSERT INTO data VALUES
  ('かぶと虫', '7', '21', ' ', '1', 150, 560, '写真\glay.bmp', 0, 0, 2),
  ('ザリガニ', '6', '1', ' ', '2', 100, 100, '写真\glay.bmp', 0, 0, 3),
  ('どんぐり', '10', '3', ' ', '3', 420, 300, '写真\glay.bmp', 0, 0, 2),
  ('', '5', '5', ' ', '4', 250, 640, '写真\glay.bmp', 0, 0, 2),
  ('たんぽぽ', '4', '12', ' ', '5', 470, 120, '写真\glay.bmp', 0, 0, 2);
SQL

mkdir -p "$out"
export folder out
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  "$folder/wandelo" & pid=$!
  sleep 2
  import -window root -crop 350x298+0+0 "$out/login.png"
  xdotool mousemove 295 43 click 1; sleep 1; xdotool key Return; sleep 2
  import -window root -crop 800x620+0+0 "$out/map.png"
  kill $pid'
rm -rf "$(dirname "$folder")"
echo "screenshots in $out"
