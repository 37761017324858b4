#!/usr/bin/env bash
# Removes ワンデロ's programs and menu entries from an installation folder
# (by default ~/ワンデロ) and keeps the children's work: wandelo.mdb and
# every picture stay where they are.
#   bash scripts/uninstall.sh [installation folder]
set -euo pipefail
folder="${1:-$HOME/ワンデロ}"
data="${XDG_DATA_HOME:-$HOME/.local/share}"

if [ ! -d "$folder" ]; then
  echo "フォルダ $folder はありません。 (No folder $folder.)" >&2
  exit 1
fi
folder="$(cd "$folder" && pwd)"
if [ ! -e "$folder/wandelo" ] && [ ! -e "$folder/wandelo.mdb" ] && [ ! -e "$folder/KOVR/kovr" ]; then
  echo "$folder はワンデロのフォルダではありません。何も消しません。" >&2
  echo "($folder is not an installation folder of WANDELO; nothing removed.)" >&2
  exit 1
fi

# The programs and their help; the help is put back by the next install.
rm -f "$folder/wandelo" "$folder/KOVR/kovr"
rm -rf "$folder/ヘルプ" "$folder/KOVR/help"

# The menu entries, when they point at this folder (another installation's
# entries stay).
marker="X-Wandelo-Folder=${folder//\\/\\\\}"
removed=0
for name in wandelo.desktop wandelo-kovr.desktop; do
  file="$data/applications/$name"
  if [ -f "$file" ] && grep -qxF -- "$marker" "$file"; then
    rm -f "$file"
    removed=1
  fi
done
if [ "$removed" = 1 ]; then
  for size in 48x48 128x128 scalable; do
    rm -f "$data/icons/hicolor/$size/apps/wandelo.png" "$data/icons/hicolor/$size/apps/wandelo.svg" \
          "$data/icons/hicolor/$size/apps/wandelo-kovr.png" "$data/icons/hicolor/$size/apps/wandelo-kovr.svg"
  done
  command -v update-desktop-database >/dev/null && update-desktop-database -q "$data/applications" 2>/dev/null || true
fi

echo "ワンデロのプログラムとメニューを消しました。子どもたちのデータと絵はそのまま残っています:"
echo "The programs and menu entries of WANDELO are removed. The children's work stays:"
echo "  $folder/wandelo.mdb         データベース (the database)"
echo "  $folder/写真/                写真と絵 (photos and drawings)"
echo "  $folder/背景/                背景 (backgrounds)"
echo "  $folder/HTML/                書き出したマップ (exported maps)"
echo "  $folder/KOVR/データ統合用画像/, KOVR/backup/   統合用の画像と控え (merge pictures, database copies)"
echo "Installing again into $folder brings the programs back and keeps all of it."
