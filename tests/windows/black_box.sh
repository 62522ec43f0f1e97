#!/usr/bin/env bash
# Black-box check of KVNConfig.exe under Wine with real key presses: on a
# known settings file, Alt+S (Specify), Tab into the memory box, 64 and Enter
# (OK)
# save exactly that change; Escape saves nothing. Both exit with status 0.
# Runs on a private X server: xvfb-run -a tests/windows/black_box.sh <exe>
# WINEPREFIX names a prepared Wine prefix; its settings file is replaced.
# KVN_BLACK_BOX_RUN is the command that starts the program, given its path
# ("wine" when unset); tests/linux/clean_root.sh gives one that starts the
# Linux program in a clean Debian root.
set -euo pipefail
exe=$(realpath "${1:?usage: black_box.sh <KVNConfig.exe>}")
: "${WINEPREFIX:?WINEPREFIX must name a Wine prefix}"
read -r -a run <<<"${KVN_BLACK_BOX_RUN:-wine}"
korvane="$WINEPREFIX/drive_c/windows/korvane"
work=$(mktemp -d)
trap 'rm -rf "$work" "$korvane"' EXIT
mkdir -p "$korvane"
# The file started, for the stage's check that it is the one players get.
echo "program: $exe"
# The sample caption file gives Specify its mnemonic.
cp "$(dirname "$0")/../../resources/KVNConfig.ini" "$work/"

known() {
  printf '%s\r\n' '[ZOLT]' 'Language=English' 'DDDriver=Primary Display Driver' \
    'MipMapping=ON' 'MaxRAMForAGP=AUTO' 'ScreenWidth=1024' >"$korvane/kvn.ini"
}

# Starts the program, waits for its dialog, types the keys, and waits for the
# end. Prints the exit status, or "no window" when no dialog shows in a minute.
run_with_keys() {
  (cd "$work" && "${run[@]}" "$exe") &
  local pid=$! window
  window=$(timeout 60 xdotool search --sync --onlyvisible --name '^KVNConfig$' | head -1)
  if [ -z "$window" ]; then
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    echo "no window"
    return
  fi
  # Without a window manager the window is focused directly.
  xdotool windowactivate --sync "$window" 2>/dev/null || xdotool windowfocus --sync "$window"
  sleep 0.5
  for key in "$@"; do
    xdotool key --delay 100 "$key"
    sleep 0.2
  done
  local status=0
  wait "$pid" || status=$?
  echo "$status"
}

failures=0
check() {
  if [ "$2" = "$3" ]; then echo "ok: $1"; else
    echo "FAILED: $1: expected $3, got $2" >&2
    failures=$((failures + 1))
  fi
}

known
status=$(run_with_keys alt+s Tab 6 4 Return)
check "OK exits with status 0" "$status" 0
check "OK saves Specify and 64" "$(tr -d '\r' <"$korvane/kvn.ini" | grep '^MaxRAMForAGP=')" \
  "MaxRAMForAGP=64"
check "OK keeps the other keys" "$(tr -d '\r' <"$korvane/kvn.ini" | grep -c -E \
  '^(Language=English|DDDriver=Primary Display Driver|MipMapping=ON|ScreenWidth=1024)$')" 4

known
cp "$korvane/kvn.ini" "$work/before.ini"
status=$(run_with_keys alt+s Tab 6 4 Escape)
check "Escape exits with status 0" "$status" 0
check "Escape writes nothing" "$(cmp -s "$work/before.ini" "$korvane/kvn.ini" && echo same)" same

exit $((failures > 0))
