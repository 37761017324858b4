#!/usr/bin/env bash
# Installs the Debian packages the build, the programs and the tests need.
# Asks apt only when something is missing, so running it again is quick.
#   bash scripts/packages.sh            build and programs
#   bash scripts/packages.sh --tests    also what the tests use (Chromium for
#                                       the exported pages, desktop-file-validate)
#   bash scripts/packages.sh --desktop  also Japanese typing and the emoji font
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  qt6-base-dev qt6-svg-dev qt6-tools-dev qt6-tools-dev-tools qt6-documentation-tools
  qt6-qpa-plugins libqt6svg6 libgl-dev qt6-translations-l10n
  libsqlite3-dev sqlite3
  fonts-ipafont-gothic fonts-noto-cjk fonts-noto-color-emoji
)

installed() {
  dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q "install ok installed"
}

# Japanese typing reaches a Qt 6 program through the input method's Qt 6
# frontend. ibus needs none beyond Qt's own plugin (in libqt6gui6); fcitx5
# needs fcitx5-frontend-qt6. Where no input method is set up yet, fcitx5
# with mozc is installed and made this account's input method.
input_method() {
  if installed fcitx5; then
    packages+=(fcitx5-frontend-qt6)
  elif installed ibus || [ -n "${QT_IM_MODULE:-}${XMODIFIERS:-}${GTK_IM_MODULE:-}" ]; then
    :  # set up already
  else
    packages+=(fcitx5 fcitx5-mozc fcitx5-frontend-qt6 fcitx5-config-qt im-config)
    new_input_method=1
  fi
}

new_input_method=0
case "${1:-}" in
  --tests) packages+=(chromium desktop-file-utils) ;;
  --desktop) packages+=(desktop-file-utils); input_method ;;
esac

missing=()
for p in "${packages[@]}"; do
  installed "$p" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  echo "Installing: ${missing[*]}"
  $sudo apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}"
fi

if [ "$new_input_method" = 1 ] && command -v im-config >/dev/null; then
  # This account starts fcitx5 at its next login, with mozc beside the
  # keyboard (an existing fcitx5 profile is left as it is).
  im-config -n fcitx5 >/dev/null 2>&1 || true
  profile="${XDG_CONFIG_HOME:-$HOME/.config}/fcitx5/profile"
  if [ ! -e "$profile" ]; then
    layout="$(sed -n 's/^XKBLAYOUT="\{0,1\}\([a-z]*\).*/\1/p' /etc/default/keyboard 2>/dev/null | head -1)"
    layout="${layout:-us}"
    mkdir -p "$(dirname "$profile")"
    printf '%s\n' "[Groups/0]" "Name=Default" "Default Layout=$layout" "DefaultIM=mozc" "" \
      "[Groups/0/Items/0]" "Name=keyboard-$layout" "Layout=" "" \
      "[Groups/0/Items/1]" "Name=mozc" "Layout=" "" "[GroupOrder]" "0=Default" > "$profile"
  fi
  echo "日本語入力 (fcitx5 + mozc) を入れました。一度ログアウトしてログインし直してください。"
  echo "Japanese input (fcitx5 + mozc) is installed: log out and in once."
fi
