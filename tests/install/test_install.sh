#!/usr/bin/env bash
# Installs twice into a throwaway folder, as a teacher upgrading would: the
# first install makes every file and folder; the second replaces the
# program and leaves a database with a child's map byte for byte alone.
set -euo pipefail
build="$1"
folder="$(mktemp -d)/ワンデロ"
trap 'rm -rf "$(dirname "$folder")"' EXIT

cmake --install "$build" --prefix "$folder" >/dev/null
for path in wandelo wandelo.mdb 写真/glay.bmp 背景/default.bmp 背景/park.bmp 背景/schoolyard.bmp \
            背景/riverside.bmp HTML/parts/button.jpg ヘルプ KOVR/help KOVR/データ統合用画像; do
  [ -e "$folder/$path" ] || { echo "missing after install: $path"; exit 1; }
done
columns=$(sqlite3 "$folder/wandelo.mdb" "SELECT group_concat(name, ',') FROM pragma_table_info('data')")
[ "$columns" = "object,months,days,comment,indexs,yz,xz,photo,childs,mother,userID" ] \
  || { echo "data columns: $columns"; exit 1; }

sqlite3 "$folder/wandelo.mdb" "INSERT INTO userdata VALUES ('はなこ', 2, '背景\\park.bmp');
  INSERT INTO data VALUES ('かぶと虫', '7', '21', ' ', '1', 150, 560, '写真\\glay.bmp', 0, 0, 2);"
printf 'drawn by a child' > "$folder/背景/default.bmp"
before=$(sha256sum "$folder/wandelo.mdb" "$folder/背景/default.bmp")
cmake --install "$build" --prefix "$folder" >/dev/null
after=$(sha256sum "$folder/wandelo.mdb" "$folder/背景/default.bmp")
[ "$before" = "$after" ] || { echo "a second install changed the child's files"; exit 1; }
echo "install: 2 passed, 0 failed"
