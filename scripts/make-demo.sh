#!/usr/bin/env bash
# Prepares a demo setup in <dir>: a Wine-style prefix <dir>/prefix whose
# korvane/kvn.ini is shared with the game and other tools. The settings file
# is recreated on every run, so each demo starts from the same state.
set -euo pipefail
dir=${1:?usage: make-demo.sh <dir>}
korvane="$dir/prefix/drive_c/windows/korvane"
mkdir -p "$korvane"

# CRLF line endings, as the game writes them.
sed 's/$/\r/' >"$korvane/kvn.ini.tmp" <<'INI'
[Paths]
Install=C:\Games\Korvane\ZOLT
Saves=C:\Games\Korvane\ZOLT\Saves

[ZOLT]
Language=English
DDDriver=Primary Display Driver
MipMapping=ON
MaxRAMForAGP=AUTO
ScreenWidth=1024
ScreenHeight=768
SoundVolume=80

[Network]
LastServer=192.168.0.10
INI
mv "$korvane/kvn.ini.tmp" "$korvane/kvn.ini"

# The stand-in driver tool, where the default tool path ".\DrvPicker.exe"
# finds it: the demo's current directory.
install -m 755 "$(dirname "$0")/../resources/demo/DrvPicker.exe" "$dir/DrvPicker.exe"
