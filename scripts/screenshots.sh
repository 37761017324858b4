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
  ('かぶと虫', '7', '21', 'クヌギの木にいた', '1', 150, 560, '写真\glay.bmp', 6, 0, 2),
  ('ザリガニ', '6', '1', ' ', '2', 100, 100, '写真\glay.bmp', 0, 0, 3),
  ('どんぐり', '10', '3', ' ', '3', 420, 300, '写真\glay.bmp', 0, 0, 2),
  ('', '5', '5', ' ', '4', 250, 640, '写真\glay.bmp', 0, 0, 2),
  ('たんぽぽ', '4', '12', ' ', '5', 470, 120, '写真\glay.bmp', 0, 0, 2),
  ('かぶと虫のさなぎ', '6', '2', '土の中で見つけた', '6', NULL, NULL, '写真\glay.bmp', 0, 1, 1);
SQL

mkdir -p "$out"
export folder out
# Windows open at the top left corner of the virtual screen (there is no
# window manager); the map's points are at their stored places below the
# menu bar.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  shot() { import -window root -crop "$2" "$out/$1.png"; }
  "$folder/wandelo" & pid=$!
  sleep 2
  shot login 350x298+0+0
  xdotool mousemove 295 43 click 1; sleep 1; xdotool key Return; sleep 2
  shot map 800x620+0+0
  mb=$(( $(xdotool search --name "はなこのマップ" getwindowgeometry | sed -n "s/.*Geometry: [0-9]*x\([0-9]*\)/\1/p") - 600 ))
  xdotool mousemove $((560 + 10)) $((150 + 10 + mb)); sleep 0.5
  xdotool mousemove $((560 + 16)) $((150 + 16 + mb)); sleep 3
  shot map-tooltip 800x620+0+0
  xdotool click 3; sleep 1
  shot map-point-menu 800x620+0+0
  xdotool key Escape; sleep 1
  xdotool mousemove 300 $((200 + mb)) click 3; sleep 1
  shot map-new-point-menu 800x620+0+0
  xdotool key Escape; sleep 1
  xdotool mousemove $((560 + 16)) $((150 + 16 + mb)) click 1; sleep 2
  records=$(xdotool search --name "データベース" | head -1)
  eval "$(xdotool getwindowgeometry --shell "$records")"
  xdotool mousemove $((X + 538)) $((Y + 274)) click 1; sleep 1
  shot record-second-of-chain ${WIDTH}x${HEIGHT}+${X}+${Y}
  kill $pid; sleep 1
  "$folder/wandelo" & pid=$!
  sleep 2
  xdotool mousemove 248 152 click 1; sleep 1
  entry=$(xdotool search --name "名前の入力" | head -1)
  eval "$(xdotool getwindowgeometry --shell "$entry")"
  shot name-entry ${WIDTH}x${HEIGHT}+${X}+${Y}
  kill $pid'
rm -rf "$(dirname "$folder")"
echo "screenshots in $out"
