#!/usr/bin/env bash
# Makes the screenshots of the README: installs ワンデロ into a throwaway
# folder with a few children's maps, starts it on a virtual screen, chooses
# a name as a child would and photographs the windows.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
out="$here/docs/screenshots"

bash "$here/scripts/packages.sh"
need=()
for p in xvfb xdotool imagemagick sqlite3 poppler-utils openbox; do
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
  ('どんぐり', '12', '31', ' ', '3', 420, 300, '写真\glay.bmp', 0, 0, 2),
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
  xdotool mousemove $((X + 464)) $((Y + 268)) click 1; sleep 1
  xdotool mousemove $((300 + 16)) $((420 + 16 + mb)) click 1; sleep 2
  eval "$(xdotool getwindowgeometry --shell "$records")"
  shot record ${WIDTH}x${HEIGHT}+${X}+${Y}
  kill $pid; sleep 1
  "$folder/wandelo" & pid=$!
  sleep 2
  xdotool mousemove 248 152 click 1; sleep 1
  entry=$(xdotool search --name "名前の入力" | head -1)
  eval "$(xdotool getwindowgeometry --shell "$entry")"
  shot name-entry ${WIDTH}x${HEIGHT}+${X}+${Y}
  kill $pid'
# The version window as a window manager frames it: a title bar without
# caption text.
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  openbox >/dev/null 2>&1 & sleep 1
  win() { xdotool search --name "$1" | head -1; }
  "$folder/wandelo" & pid=$!
  sleep 2
  xdotool mousemove --window "$(win ログイン)" 295 43 click 1; sleep 1; xdotool key Return; sleep 2
  # "ファイル", then two menus on to "ヘルプ" and up to its last item.
  xdotool mousemove --window "$(win はなこのマップ)" 25 10 click 1; sleep 1
  xdotool key Right Right Up Return; sleep 2
  import -frame -window "$(xdotool getactivewindow)" "$out/version-frame.png"
  kill $pid'
# Pictures for a record: the chooser on the photo folder (with a photo of
# the park in it), the paint window after a drawing with every tool and
# again after "もどす" took the last step back, the palette, and the printed record (printed to a PDF file, then drawn as PNG).
convert "$folder/背景/park.bmp" -resize 320x240 "$folder/写真/こうえん.jpg"
xvfb-run -a -s "-screen 0 1024x768x24" bash -c '
  shot() { import -window root -crop "$2" "$out/$1.png"; }
  at() { eval "$(xdotool getwindowgeometry --shell "$(xdotool search --name "$1" | head -1)")"; }
  press() { xdotool mousemove $((X + $1)) $((Y + $2)) click 1; sleep 1; }
  stroke() {  # on the canvas: x0 y0 x1 y1 ...
    local cx=$((X + 53)) cy=$((Y + 13))
    xdotool mousemove $((cx + $1)) $((cy + $2)) mousedown 1; shift 2
    while [ $# -gt 0 ]; do xdotool mousemove $((cx + $1)) $((cy + $2)); sleep 0.05; shift 2; done
    xdotool mouseup 1; sleep 0.3
  }
  tool() { press 22 $((17 + 34 * ($1 - 1))); }
  colour() {  # palette row, column
    press 88 296; at "カラーパレット"
    [ "${3:-}" = shot ] && { shot palette ${WIDTH}x${HEIGHT}+${X}+${Y}; }
    xdotool mousemove $((X + 24 + 16 * $2)) $((Y + 24 + 16 * $1)) click 1; sleep 1; at "ペイント"
  }
  cd "$folder"; "$folder/wandelo" & pid=$!
  sleep 2
  xdotool mousemove 295 43 click 1; sleep 1; xdotool key Return; sleep 2
  mb=$(( $(xdotool search --name "はなこのマップ" getwindowgeometry | sed -n "s/.*Geometry: [0-9]*x\([0-9]*\)/\1/p") - 600 ))
  xdotool mousemove $((560 + 16)) $((150 + 16 + mb)) click 1; sleep 2
  at "データベース"; press 64 276
  at "開く"; press 180 27; sleep 1
  shot chooser ${WIDTH}x${HEIGHT}+${X}+${Y}
  press 324 160
  at "データベース"; press 176 276
  at "ペイント"
  xdotool mousemove $((X + 151)) $((Y + 292)) mousedown 1 sleep 0.3 mousemove $((X + 190)) $((Y + 292)) sleep 0.3 mouseup 1
  sleep 0.5                                           # the slider: a wider line
  tool 3; colour 2 4; stroke 30 100 130 190           # the house
  tool 2; colour 4 2; stroke 25 100 80 55; stroke 80 55 135 100
  tool 5; stroke 55 135 105 135                       # its window, rubbed out
  tool 4; colour 2 2; stroke 260 50 285 70            # the sun
  tool 1; colour 2 1
  stroke 160 215 175 195 190 215 205 195 220 215 235 195 250 215 265 195 280 215
  tool 2; colour 3 4; stroke 5 200 312 200            # the ground
  tool 6; colour 4 6; stroke 150 120
  sleep 1; xdotool type --delay 150 "わたしのいえ"; sleep 0.5; xdotool key Return; sleep 1
  at "ペイント"
  colour 2 7 shot
  shot paint ${WIDTH}x${HEIGHT}+${X}+${Y}
  press 11 220                                        # もどす: the text goes
  xdotool mousemove $((X + 200)) $((Y + 150)); sleep 0.5
  shot paint-undo ${WIDTH}x${HEIGHT}+${X}+${Y}
  press 328 282
  at "データベース"; press 288 276
  sleep 1; xdotool key Return; sleep 3
  kill $pid'
pdf="$(find "$folder" "$HOME" -maxdepth 1 -name "*.pdf" -newer "$folder/写真/こうえん.jpg" | head -1)"
if [ -n "$pdf" ]; then
  pdftoppm -r 96 -png -singlefile "$pdf" "$out/printout"
  convert "$out/printout.png" -crop 560x560+0+0 +repage "$out/printout.png"
  rm -f "$pdf"
else
  echo "no printout was written" >&2
fi
rm -rf "$(dirname "$folder")"
echo "screenshots in $out"
