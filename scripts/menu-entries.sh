#!/usr/bin/env bash
# Puts ワンデロ and KOVR into the user's applications menu: a desktop entry
# and an icon of our own for each program, pointing at the installation
# folder. Running it again writes both anew, so the menu follows the folder
# of the latest install.
#   bash scripts/menu-entries.sh <installation folder> <icons folder of the build>
# Writes below ${XDG_DATA_HOME:-~/.local/share} (applications/, icons/hicolor/).
set -euo pipefail
folder="$(cd "$1" && pwd)"
icons="$2"
data="${XDG_DATA_HOME:-$HOME/.local/share}"

case "$folder" in
  *$'\n'*) echo "A folder name with a line break cannot go into a menu entry: $folder" >&2; exit 1 ;;
esac

# A string value of a desktop entry: a backslash is written as two.
string_value() {
  local v="$1"
  printf '%s' "${v//\\/\\\\}"
}

# The program of Exec=, quoted as the desktop entry rules ask: inside double
# quotes " ` $ and \ get a backslash; then the string rule doubles every
# backslash; a % is written as %%.
exec_value() {
  local v="$1"
  v="${v//\\/\\\\}"
  v="${v//\"/\\\"}"
  v="${v//\`/\\\`}"
  v="${v//\$/\\\$}"
  v="\"$v\""
  v="${v//\\/\\\\}"
  printf '%s' "${v//%/%%}"
}

for size in 48x48 128x128 scalable; do
  mkdir -p "$data/icons/hicolor/$size/apps"
  cp -f "$icons/hicolor/$size/apps/"wandelo* "$data/icons/hicolor/$size/apps/"
done

mkdir -p "$data/applications"
# entry <file> <program> <working folder> <English name> <Japanese name> <comment> <Japanese comment> <icon> <categories>
entry() {
  local file="$data/applications/$1"
  cat > "$file.new" <<ENTRY
[Desktop Entry]
Type=Application
Version=1.4
Name=$4
Name[ja]=$5
Comment=$6
Comment[ja]=$7
Exec=$(exec_value "$2")
TryExec=$(string_value "$2")
Path=$(string_value "$3")
Icon=$8
Terminal=false
StartupNotify=true
Categories=$9
X-Wandelo-Folder=$(string_value "$folder")
ENTRY
  mv -f "$file.new" "$file"
}
entry wandelo.desktop "$folder/wandelo" "$folder" \
  "WANDELO" "ワンデロ" \
  "A discovery map for children" "子どものための発見マップ" \
  wandelo "Education;"
entry wandelo-kovr.desktop "$folder/KOVR/kovr" "$folder/KOVR" \
  "WANDELO database tools (KOVR)" "ワンデロ データベースツール (KOVR)" \
  "The teacher's tools for the data of WANDELO" "ワンデロのデータを先生が整える道具" \
  wandelo-kovr "Education;"

# Menus that keep caches notice the new entries at once.
command -v update-desktop-database >/dev/null && update-desktop-database -q "$data/applications" 2>/dev/null || true
touch "$data/icons/hicolor" 2>/dev/null || true
