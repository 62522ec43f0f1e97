#!/usr/bin/env bash
# Installs what is missing, builds, and starts the dialog. Without WINEPREFIX
# set, it runs on a demo Wine-style prefix under build/demo.
# KVN_DEMO_PLATFORM=windows starts the Windows program, KVNConfig.exe, under
# Wine instead (its 64-bit build), on a demo Wine prefix under
# build/demo-windows.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
if [ "${KVN_DEMO_PLATFORM:-}" = windows ]; then
  # The 64-bit build of the program, which the Windows stage tests: a Wine
  # without its 32-bit half runs no 32-bit program.
  windows=build/windows-tests
  scripts/install-deps.sh g++-mingw-w64-x86-64-posix wine wine64 python3
  cmake -S . -B $windows -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
    -DKVN_GUI=ON -DKVN_FRAMEWORK_BACKEND=win32 -DKVN_BENCH=OFF -DKVN_WERROR=ON >/dev/null
  cmake --build $windows --target KVNConfig
  # The Windows stand-in driver tool, where the build has one; else the
  # demo's own stand-in.
  tool=""
  if cmake --build $windows --target stand_in_driver_tool >/dev/null 2>&1; then
    tool="$root/$windows/tools/DrvPicker.exe"
  fi
  export WINEDEBUG=${WINEDEBUG:--all} WINEDLLOVERRIDES="mscoree,mshtml="
  if [ -z "${WINEPREFIX:-}" ]; then
    scripts/make-demo.sh build/demo-windows
    export WINEPREFIX="$PWD/build/demo-windows/prefix"
    [ -f "$WINEPREFIX/system.reg" ] || wineboot -i >/dev/null 2>&1
    [ -z "$tool" ] || cp "$tool" build/demo-windows/DrvPicker.exe
    cd build/demo-windows
  fi
  exec wine "$root/$windows/KVNConfig.exe"
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
