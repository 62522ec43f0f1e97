#!/usr/bin/env bash
# Configures and builds into build/ (warnings are errors): build/KVNConfig is
# the Linux program players get, with wxWidgets (built once and cached by
# scripts/build-wx.sh), libstdc++ and libgcc linked in, and the tests run on
# it. Arguments name targets to build instead of all.
set -euo pipefail
cd "$(dirname "$0")/.."
wx_config=$(scripts/build-wx.sh)
cmake -S . -B build -G Ninja -DKVN_WERROR=ON -DKVN_PORTABLE=ON \
  -DwxWidgets_CONFIG_EXECUTABLE="$wx_config" -DwxWidgets_CONFIG_OPTIONS=--static >/dev/null
targets=()
for target in "$@"; do targets+=(--target "$target"); done
cmake --build build "${targets[@]}"
