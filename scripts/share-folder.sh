#!/usr/bin/env bash
# Lets every account of a group write an installation folder: the folder,
# wandelo.mdb and the picture folders belong to the group and are writable
# by it; new files and folders made inside keep the group. The database's
# journal is made beside it with the database's own rights.
#   bash scripts/share-folder.sh <installation folder> <group>
set -euo pipefail
folder="$1"
group="$2"
getent group "$group" >/dev/null || { echo "There is no group $group" >&2; exit 2; }

# A group joined in this session is not in force until the next login:
# an account that is not yet in it changes the group through sudo.
sudo=""
if [ "$(id -u)" -ne 0 ] && ! id -nG | tr ' ' '\n' | grep -qxF "$group"; then
  sudo="sudo"
fi
$sudo chgrp -R "$group" "$folder"
# Read and write for the group, never for everyone; folders hand their
# group down (set-group-ID) so a child's drawing stays the class's.
$sudo chmod -R g+rwX,o-w "$folder"
$sudo find "$folder" -type d -exec chmod g+s {} +
echo "$folder is shared by the group $group: its members may write the database and the pictures."
