#!/usr/bin/env bash
# The menu entry a player installs: valid for desktop-file-validate, starting
# the program in the game's folder, named after the application id, with the
# icon in the theme's sizes. Usage: desktop_entry_test.sh PROGRAM
set -euo pipefail
program=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
game="$work/Games/ZOLT \$1 100%"
mkdir -p "$game"
XDG_DATA_HOME="$work/data" "$(dirname "$0")/../../scripts/install-menu-entry.sh" "$game" "$program" >/dev/null
entry="$work/data/applications/KVNConfig.desktop"
desktop-file-validate "$entry"
grep -qxF "Path=$game" "$entry" || { echo "Path is not the game's folder:"; cat "$entry"; exit 1; }
grep -qxF "Exec=\"$program\"" "$entry" || { echo "Exec is not the program:"; cat "$entry"; exit 1; }
for size in 16 22 24 32 48 64 128 256; do
  icon="$work/data/icons/hicolor/${size}x${size}/apps/KVNConfig.png"
  [ "$(identify -format %wx%h "$icon")" = "${size}x${size}" ] || { echo "no ${size}px icon"; exit 1; }
done
