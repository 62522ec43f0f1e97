#!/usr/bin/env bash
# Installs what is missing, builds, and starts the dialog. Without WINEPREFIX
# set, it runs on a demo Wine-style prefix under build/demo.
# KVN_DEMO_PLATFORM=windows starts the Windows program, KVNConfig.exe, in a
# 32-bit Wine instead, on a demo Wine prefix under build/demo-windows.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
if [ "${KVN_DEMO_PLATFORM:-}" = windows ]; then
  # The 32-bit program as players get it, in the Windows stage's 32-bit Wine
  # (scripts/wine32.sh; needs root), in the same tree as the stage builds.
  windows=build/windows
  scripts/install-deps.sh g++-mingw-w64-i686-posix python3 debootstrap binutils
  cmake -S . -B $windows -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" \
    -DKVN_GUI=ON -DKVN_FRAMEWORK_BACKEND=win32 -DKVN_BENCH=OFF -DKVN_TESTS=ON -DKVN_WERROR=ON \
    -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine32/wine" >/dev/null
  cmake --build $windows --target KVNConfig stand_in_driver_tool
  . scripts/wine32-env.sh
  wine32_begin
  # A (32-bit) prefix of the player's own is seen inside the root at its own
  # path.
  wine32_setup "" ${WINEPREFIX:+"$WINEPREFIX"}
  # The display's authority file, where the root sees it.
  if [ -n "${DISPLAY:-}" ] && [ -f "${XAUTHORITY:-$HOME/.Xauthority}" ]; then
    xauth=$(mktemp /tmp/kvnconfig-demo-xauth.XXXXXX)
    cp "${XAUTHORITY:-$HOME/.Xauthority}" "$xauth"
    export XAUTHORITY=$xauth
  fi
  export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
  if [ -z "${WINEPREFIX:-}" ]; then
    scripts/make-demo.sh build/demo-windows
    export WINEPREFIX="$PWD/build/demo-windows/prefix"
    [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
    cp $windows/tools/DrvPicker.exe build/demo-windows/DrvPicker.exe
    cd build/demo-windows
  fi
  status=0
  wine "$root/$windows/KVNConfig.exe" || status=$?
  exit "$status"
fi
scripts/install-deps.sh
# The players' program where its wxWidgets is already built (scripts/build.sh
# builds it once, in 11 to 20 minutes); else, to start at once, the program
# alone on Debian's wxWidgets packages, in a tree of its own.
if scripts/build-wx.sh --cached >/dev/null; then
  program=build/KVNConfig
  scripts/build.sh KVNConfig
else
  program=build/demo-debian/KVNConfig
  cmake -S . -B build/demo-debian -G Ninja -DKVN_TESTS=OFF -DKVN_BENCH=OFF -DKVN_WERROR=ON >/dev/null
  cmake --build build/demo-debian --target KVNConfig
fi

if [ ! -x "$program" ]; then
  echo "The dialog is not built yet." >&2
  exit 1
fi
if [ -z "${WINEPREFIX:-}" ]; then
  scripts/make-demo.sh build/demo
  export WINEPREFIX="$PWD/build/demo/prefix"
  cd build/demo
fi
exec "$root/$program"
