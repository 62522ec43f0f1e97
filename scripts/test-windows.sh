#!/usr/bin/env bash
# The Windows stage. Builds the program as players get it,
# build/windows/KVNConfig.exe: 32-bit, one file, for Windows XP SP3 and
# later; and checks that its header, imports and manifest admit every such
# Windows and leave it to the same file redirection as the game
# (scripts/check-windows-exe.py).
#
# Then, in build/windows-tests, a 64-bit build of the same source: the core's
# tests run under Wine, where the profile functions, the Windows directory and
# the program start are the platform's own (suites named Our* pin rules of our
# own implementation and are skipped); then the shared GUI tests on the win32
# backend, and a black-box check of its KVNConfig.exe with real key presses,
# each on a private X server; then the DPI checks and the black-box check once
# more at 192 DPI. The 64-bit build stands in for the 32-bit one because the
# machines that run this have no 32-bit Wine: their kernels run no 32-bit
# Linux program, which a 32-bit Wine is.
# The Wine prefix lives in build/windows-tests/prefix and is kept between runs.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
program=build/windows
build=build/windows-tests

scripts/install-deps.sh g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix wine wine64 python3

# Wine quiet and headless: no debug output, no window, no offer to install
# Mono or Gecko into a new prefix.
export WINEPREFIX="$root/$build/prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
unset DISPLAY WAYLAND_DISPLAY
export GTEST_COLOR=no

start=$SECONDS
mkdir -p "$build"
if [ ! -f "$WINEPREFIX/system.reg" ]; then
  # A new prefix takes a few seconds; make it while the build runs.
  (wineboot -i >"$build/wineboot.log" 2>&1; wineserver -w) &
  prefix_job=$!
fi

# The program. A tree configured for another processor (as build/windows was
# before the program became 32-bit) is made anew.
if [ -f "$program/CMakeCache.txt" ] && ! grep -q '^CMAKE_TOOLCHAIN_FILE:.*mingw-w64-i686' "$program/CMakeCache.txt"; then
  rm -rf "$program"
fi
cmake -S . -B "$program" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" \
  -DKVN_GUI=ON -DKVN_FRAMEWORK_BACKEND=win32 -DKVN_BENCH=OFF -DKVN_TESTS=OFF -DKVN_WERROR=ON >/dev/null
if ! cmake --build "$program" -j2 --target KVNConfig >"$program/build.log" 2>&1; then
  cat "$program/build.log" >&2
  exit 1
fi
program_status=0
scripts/check-windows-exe.py "$program/KVNConfig.exe" >"$program/check.log" 2>&1 || program_status=$?
tests/windows/check_windows_exe_test.sh >>"$program/check.log" 2>&1 || program_status=$?

cmake -S . -B "$build" -G Ninja \
  -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-x86_64.cmake" \
  -DKVN_GUI=ON -DKVN_FRAMEWORK_BACKEND=win32 -DKVN_BENCH=OFF -DKVN_TESTS=ON -DKVN_WERROR=ON >/dev/null
if ! cmake --build "$build" -j2 >"$build/build.log" 2>&1; then
  cat "$build/build.log" >&2
  exit 1
fi
build_time=$((SECONDS - start))

if [ -n "${prefix_job:-}" ] && ! wait "$prefix_job"; then
  cat "$build/wineboot.log" >&2
  echo "Could not create the Wine prefix $WINEPREFIX" >&2
  exit 1
fi

# Without a window manager, Wine waits about 2 s for one at the end of each
# managed window; the GUI tests' dialogs need none (KVNConfig.exe keeps the
# default for the black-box check).
wine reg add 'HKCU\Software\Wine\AppDefaults\gui_tests.exe\X11 Driver' \
  /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
wineserver -w

log="$build/test.log"
status=0
ctest --test-dir "$build" -V -j2 -LE display >"$log" 2>&1 || status=$?
wineserver -k 2>/dev/null || true
# The GUI tests on the win32 backend and the black-box check need a display:
# each gets a private X server.
gui_log="$build/gui-test.log"
gui_status=0
xvfb-run -a -s "-screen 0 1280x1024x24" ctest --test-dir "$build" -V -L display \
  >"$gui_log" 2>&1 || gui_status=$?
wineserver -k 2>/dev/null || true
black_box_status=0
xvfb-run -a -s "-screen 0 1280x1024x24" tests/windows/black_box.sh "$build/KVNConfig.exe" \
  >"$build/black_box.log" 2>&1 || black_box_status=$?

# At 192 DPI, on a screen of the size such displays have: the picture fills
# its place, every caption fits, the icon has the system's size, and the
# program still saves what the keys say. The prefix goes back to 96 DPI.
set_dpi() {
  wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$1" /f >/dev/null 2>&1
  wineserver -w
}
set_dpi 192
dpi_status=0
(cd "$build/tests/gui" && xvfb-run -a -s "-screen 0 2560x1600x24" wine gui_tests.exe \
  --gtest_filter='PlayerView.ThePictureFillsItsPlaceInTheTemplate:Captions.SampleFile*:Shell.TheWindowCarries*') \
  >"$build/gui-192dpi.log" 2>&1 || dpi_status=$?
xvfb-run -a -s "-screen 0 2560x1600x24" tests/windows/black_box.sh "$build/KVNConfig.exe" \
  >"$build/black_box_192dpi.log" 2>&1 || dpi_status=1
set_dpi 96
wineserver -k 2>/dev/null || true

echo "KVNConfig.exe as players get it ($program/KVNConfig.exe):"
sed 's/^/  /' "$program/check.log"
[ "$program_status" -eq 0 ] || status=1
echo "Windows stage (under $(wine --version)):"
# GoogleTest's summary of each binary, then CTest's.
awk '
  match($0, /Start +[0-9]+: /) { split(substr($0, RSTART + 6), f, ": "); n = f[1] + 0; name[n] = f[2]; if (n > max) max = n }
  /^[0-9]+: \[==========\] .* ran/ { n = $1 + 0; sub(/^[0-9]+: \[==========\] /, ""); ran[n] = $0 }
  /^[0-9]+: \[  (PASSED|FAILED|SKIPPED) +\]/ { n = $1 + 0; sub(/^[0-9]+: /, ""); result[n] = result[n] "\n    " $0 }
  /^[0-9]+: ./ && !/^[0-9]+: (Test command|Working Directory|Environment|Test timeout| )/ {
    n = $1 + 0; line = $0; sub(/^[0-9]+: /, "", line); last[n] = line
  }
  /tests passed|tests failed/ { summary = $0 }
  END {
    for (n = 1; n <= max; n++) printf "  %s: %s%s\n", name[n], ran[n] ? ran[n] : last[n], result[n]
    print summary
  }' "$log"
echo "GUI tests on the win32 backend:"
grep -E '^[0-9]+: \[(==========|  PASSED  |  FAILED  )\]' "$gui_log" | sed 's/^[0-9]*: /  /'
if [ "$gui_status" -ne 0 ]; then
  status=1
  grep -E 'Failure|Expected|Which is|Actual|watchdog' "$gui_log" >&2 || true
fi
echo "Black-box check of the 64-bit KVNConfig.exe:"
sed 's/^/  /' "$build/black_box.log"
[ "$black_box_status" -eq 0 ] || status=1
echo "At 192 DPI:"
grep -E '^\[(==========|  PASSED  |  FAILED  )\]' "$build/gui-192dpi.log" | sed 's/^/  /'
sed 's/^/  /' "$build/black_box_192dpi.log"
if [ "$dpi_status" -ne 0 ]; then
  status=1
  grep -E 'Failure|Expected|Which is|Actual|watchdog' "$build/gui-192dpi.log" >&2 || true
fi
echo "Cross builds ${build_time}s, whole stage $((SECONDS - start))s. Full output: $build/test.log"
if [ "$status" -ne 0 ]; then
  # The output of each failed binary, without the lines of passing tests.
  awk '
    /Test +#[0-9]+: .*(Failed|Timeout|Exception|Not Run)/ { sub(/.*Test +#/, ""); failed[$0 + 0] = 1 }
    { lines[NR] = $0 }
    END {
      for (i = 1; i <= NR; i++) {
        if (match(lines[i], /^[0-9]+: /) && (substr(lines[i], 1, RLENGTH - 2) + 0) in failed &&
            lines[i] !~ /\[ +(RUN|OK) +\]|\[----------\]/)
          print lines[i]
      }
    }' "$log" >&2
fi
exit "$status"
