#!/usr/bin/env bash
# Installs what is missing, builds, and starts the dialog. Without WINEPREFIX
# set, it runs on a demo Wine-style prefix under build/demo.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/install-deps.sh
scripts/build.sh

if [ ! -x build/KVNConfig ]; then
  echo "The dialog is not built yet." >&2
  exit 1
fi
if [ -z "${WINEPREFIX:-}" ]; then
  scripts/make-demo.sh build/demo
  export WINEPREFIX="$PWD/build/demo/prefix"
  cd build/demo
fi
exec "$root/build/KVNConfig"
