#!/usr/bin/env bash
# Installs the player's menu entry for KVNConfig and its icon:
#
#   scripts/install-menu-entry.sh GAME_FOLDER [PROGRAM]
#
# The entry starts PROGRAM (build/KVNConfig by default) in GAME_FOLDER, where
# it finds its caption file and the game's prefix. It is named after the
# program's application id, KVNConfig.desktop, so that Wayland desktops show
# the program's icon for its window; installing again replaces it. Both go to
# the player's own folders ($XDG_DATA_HOME, by default ~/.local/share).
set -euo pipefail

fail() {
  echo "install-menu-entry: $*" >&2
  exit 1
}
if [ $# -lt 1 ] || [ $# -gt 2 ]; then
  echo "usage: scripts/install-menu-entry.sh GAME_FOLDER [PROGRAM]" >&2
  exit 2
fi
source_dir=$(cd "$(dirname "$0")/.." && pwd)
game=$(cd "$1" 2>/dev/null && pwd) || fail "no such folder: $1"
program=${2:-$source_dir/build/KVNConfig}
if [ ! -f "$program" ] || [ ! -x "$program" ]; then
  fail "no program at $program (build it with scripts/build.sh)"
fi
program_dir=$(cd "$(dirname "$program")" && pwd)
program=$program_dir/$(basename "$program")
icons=$program_dir/icons/hicolor
[ -d "$icons" ] || fail "no icons at $icons (built beside the program)"
case "$game$program" in *$'\n'* | *$'\r'*) fail "a path with a line break cannot go into a menu entry" ;; esac

# An argument of Exec: quoted, with ", `, $ and \ escaped inside the quotes
# and % doubled; then, as in every string value, \ escaped once more.
exec_argument() {
  local s=$1
  s=${s//\\/\\\\}
  s=${s//\"/\\\"}
  s=${s//\`/\\\`}
  s=${s//\$/\\\$}
  s=${s//%/%%}
  s="\"$s\""
  printf '%s' "${s//\\/\\\\}"
}
command=$(exec_argument "$program")
# Reached through a symbolic link, the folder keeps its name for the program
# as a shell would give it: a Steam library may be linked in from elsewhere.
if [ "$(cd "$game" && pwd -P)" != "$game" ]; then
  command="env $(exec_argument "PWD=$game") $command"
fi

data=${XDG_DATA_HOME:-$HOME/.local/share}
entry=$data/applications/KVNConfig.desktop
mkdir -p "$data/applications"
staging=$(mktemp -d)
trap 'rm -rf "$staging"' EXIT
{
  while IFS= read -r line; do
    case "$line" in
    Exec=*)
      printf 'Exec=%s\n' "$command"
      printf 'Path=%s\n' "${game//\\/\\\\}"
      ;;
    *) printf '%s\n' "$line" ;;
    esac
  done <"$source_dir/resources/linux/KVNConfig.desktop"
} >"$staging/KVNConfig.desktop"
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$staging/KVNConfig.desktop" || fail "the entry does not validate; not installed"
fi
install -m 644 "$staging/KVNConfig.desktop" "$entry"

for size_dir in "$icons"/*/; do
  size=$(basename "$size_dir")
  install -D -m 644 "$size_dir/apps/KVNConfig.png" "$data/icons/hicolor/$size/apps/KVNConfig.png"
done
# Desktops that keep caches see the new entry and icons at once.
gtk-update-icon-cache -q -t "$data/icons/hicolor" 2>/dev/null || true
update-desktop-database -q "$data/applications" 2>/dev/null || true
echo "Installed $entry, starting $program in $game"
