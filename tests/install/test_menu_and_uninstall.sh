#!/usr/bin/env bash
# The menu entries and the uninstall, on throwaway folders and a throwaway
# menu (XDG_DATA_HOME and HOME point into a temporary folder, so the real
# menu is never touched): the entries are valid and follow a second
# install elsewhere; the uninstall removes programs and entries and keeps
# the database and every picture.
set -euo pipefail
build="$1"
scripts="$(cd "$(dirname "$0")/../../scripts" && pwd)"
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT
export HOME="$tmp/home" XDG_DATA_HOME="$tmp/home/.local/share"
mkdir -p "$HOME"
apps="$XDG_DATA_HOME/applications"
fail() { echo "FAIL: $*"; exit 1; }

# A folder name that needs quoting in Exec=.
first="$tmp/先生の \$ワンデロ"
second="$tmp/学校/ワンデロ"
cmake --install "$build" --prefix "$first" >/dev/null
bash "$scripts/menu-entries.sh" "$first" "$build/icons"
for entry in wandelo.desktop wandelo-kovr.desktop; do
  [ -f "$apps/$entry" ] || fail "no $entry"
  if command -v desktop-file-validate >/dev/null; then
    out="$(desktop-file-validate "$apps/$entry" 2>&1)" || fail "$entry: $out"
    [ -z "$out" ] || fail "$entry: $out"
  else
    echo "SKIP desktop-file-validate: not installed (apt-get install desktop-file-utils)"
  fi
done
grep -qxF 'Name[ja]=ワンデロ' "$apps/wandelo.desktop" || fail "Japanese name of wandelo"
grep -qxF 'Name[ja]=ワンデロ データベースツール (KOVR)' "$apps/wandelo-kovr.desktop" || fail "Japanese name of KOVR"
grep -qxF "Exec=\"$tmp/先生の \\\\\$ワンデロ/wandelo\"" "$apps/wandelo.desktop" \
  || fail "Exec of wandelo: $(grep ^Exec= "$apps/wandelo.desktop")"
for icon in 48x48/apps/wandelo.png 128x128/apps/wandelo-kovr.png scalable/apps/wandelo.svg; do
  [ -s "$XDG_DATA_HOME/icons/hicolor/$icon" ] || fail "no icon $icon"
done

# Installed again elsewhere: the entries point there, still valid.
cmake --install "$build" --prefix "$second" >/dev/null
bash "$scripts/menu-entries.sh" "$second" "$build/icons"
grep -qxF "Exec=\"$second/KOVR/kovr\"" "$apps/wandelo-kovr.desktop" || fail "KOVR entry after a second install"
grep -qxF "Path=$second/KOVR" "$apps/wandelo-kovr.desktop" || fail "KOVR folder after a second install"
[ "$(ls "$apps" | wc -l)" -le 3 ] || fail "entries pile up: $(ls "$apps")"

# Shared with a group: the group may write the database and the picture
# folders, and new files there keep the group.
group="$(id -gn)"
bash "$scripts/share-folder.sh" "$second" "$group" >/dev/null
for path in . wandelo.mdb 写真 背景 HTML KOVR/データ統合用画像; do
  [ "$(stat -c %G "$second/$path")" = "$group" ] || fail "$path does not belong to $group"
  perms="$(stat -c %A "$second/$path")"
  [ "${perms:5:1}" = w ] || fail "$path is not writable by the group: $perms"
  [ "${perms:8:1}" != w ] || fail "$path is writable by everyone: $perms"
done
[ -g "$second/写真" ] || fail "写真 does not hand its group down"

# A child's work in the second folder.
sqlite3 "$second/wandelo.mdb" "INSERT INTO userdata VALUES ('はなこ', 2, '背景\\park.bmp');"
printf 'BM a drawing' > "$second/写真/はなこ51770.bmp"
mkdir -p "$second/HTML/はなこ" && printf '<HTML>' > "$second/HTML/はなこ/index.html"
kept=(wandelo.mdb 写真/glay.bmp 写真/はなこ51770.bmp 背景/default.bmp 背景/park.bmp HTML/parts/button.jpg
      HTML/はなこ/index.html)
before=$(cd "$second" && sha256sum "${kept[@]}")

# The first folder's uninstall leaves the entries of the second alone.
bash "$scripts/uninstall.sh" "$first" >/dev/null
[ -f "$apps/wandelo.desktop" ] || fail "uninstalling another folder removed the entries"
[ ! -e "$first/wandelo" ] || fail "program left in the first folder"

out="$(bash "$scripts/uninstall.sh" "$second")"
echo "$out" | grep -qF "$second/wandelo.mdb" || fail "the uninstall does not say where the database stays"
for gone in wandelo KOVR/kovr ヘルプ KOVR/help; do
  [ ! -e "$second/$gone" ] || fail "still there after uninstall: $gone"
done
[ ! -e "$apps/wandelo.desktop" ] && [ ! -e "$apps/wandelo-kovr.desktop" ] || fail "menu entries left"
[ -z "$(find "$XDG_DATA_HOME/icons" -name 'wandelo*')" ] || fail "icons left"
after=$(cd "$second" && sha256sum "${kept[@]}")
[ "$before" = "$after" ] || fail "the uninstall changed the children's files"

# Not an installation folder: nothing is removed.
mkdir -p "$tmp/other" && printf x > "$tmp/other/kovr"
if bash "$scripts/uninstall.sh" "$tmp/other" 2>/dev/null; then fail "uninstall ran on a foreign folder"; fi
[ -e "$tmp/other/kovr" ] || fail "a foreign folder lost a file"
echo "menu entries and uninstall: passed"
