#!/usr/bin/env bash
# Makes the README screenshots of the help window, the version window, the
# standard dialogs in Japanese and the web site the HTML export writes: installs ワンデロ into a throwaway
# folder with one child's map, photographs the windows offscreen, exports
# the map and opens the site in headless Chromium.
set -euo pipefail
here="$(cd "$(dirname "$0")/.." && pwd)"
out="$here/docs/screenshots"

bash "$here/scripts/packages.sh"
need=()
for p in chromium imagemagick sqlite3; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || need+=("$p")
done
if [ ${#need[@]} -gt 0 ]; then
  sudo=""; [ "$(id -u)" -eq 0 ] || sudo="sudo"
  $sudo apt-get update -qq && DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${need[@]}"
fi

build="$here/build-screens"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON >/dev/null
cmake --build "$build" --target wandelo kovr wandelo-setup shoot_windows
work="$(mktemp -d)"
folder="$work/ワンデロ"
cmake --install "$build" --prefix "$folder" >/dev/null

# A few photos of a child's walk (drawn here, so nothing comes from outside).
photo() { convert -size 320x240 "gradient:$2" -gravity center -pointsize 40 \
            -font "IPAGothic" -fill white -annotate 0 "$3" "$folder/写真/$1"; }
photo kabuto.jpg "#6d4c41-#a1887f" "かぶと虫"
photo sanagi.bmp "#8d6e63-#ffcc80" "さなぎ"
photo donguri.JPG "#ef6c00-#ffe0b2" "どんぐり"

sqlite3 "$folder/wandelo.mdb" <<'SQL'
INSERT INTO userdata VALUES ('はなこ', 2, '背景\park.bmp');
INSERT INTO data VALUES
  ('かぶと虫', '7', '21', 'クヌギの木にいた。つのが<大きい>！', '1', 150, 560, '写真\kabuto.jpg', 4, 0, 2),
  ('どんぐり', '10', '3', 'ぼうしをかぶっていた', '2', 420, 300, '写真\donguri.JPG', 0, 0, 2),
  ('たんぽぽ', '4', '12', ' ', '3', 470, 120, '写真\glay.bmp', 0, 0, 2),
  ('かぶと虫のさなぎ', '6', '2', '土の中で見つけた', '4', NULL, NULL, '写真\sanagi.bmp', 0, 1, 1);
SQL

mkdir -p "$out"
QT_QPA_PLATFORM=offscreen "$build/tests/shoot_windows" "$folder" "$out" はなこ

site="$folder/HTML/はなこ"
browser() {
  chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$(mktemp -d)" --hide-scrollbars "$@" 2>/dev/null
}
browser --window-size=820,620 --screenshot="$out/html-index.png" "file://$site/index.html"
browser --window-size=820,900 --screenshot="$out/html-page.png" "file://$site/page1.html"
rm -rf "$work"
echo "screenshots in $out"
