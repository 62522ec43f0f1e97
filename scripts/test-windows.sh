#!/usr/bin/env bash
# The Windows stage. Builds the program as players get it,
# build/windows/KVNConfig.exe: 32-bit, one file, for Windows XP SP3 and
# later; checks that its header, imports and manifest admit every such Windows
# and leave it to the same file redirection as the game
# (scripts/check-windows-exe.py); and tests it in a 32-bit Wine.
#
# The same tree holds the tests, built for i686 as the program is. They run in
# a 32-bit Wine: Debian 12's wine32 in an i386 root under /var/cache/kvnconfig,
# with a WINEARCH=win32 prefix there, both made once per machine
# (scripts/wine32.sh; needs root). First the core's tests, where the profile
# functions, the Windows directory and the program start are the platform's
# own (suites named Our* pin rules of our own implementation and are skipped);
# then on a private X server the shared GUI tests on the win32 backend and a
# black-box check of KVNConfig.exe itself with real key presses; then the DPI
# checks and the black-box check once more at 192 DPI. One wineserver serves
# all runs on each display. The stage fails if a program it ran is not 32-bit,
# or if the black-box check ran another file than the one players get.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=build/windows

scripts/install-deps.sh g++-mingw-w64-i686-posix python3 debootstrap binutils
. scripts/wine32-env.sh
wine32_begin

export GTEST_COLOR=no
unset DISPLAY WAYLAND_DISPLAY
start=$SECONDS
mkdir -p "$build"
# The root and its prefix (made when missing) while the build runs.
setup_start=$SECONDS
(wine32_setup "$build/wine32.log" && echo $((SECONDS - setup_start)) >"$build/wine32.time") &
setup_job=$!

# A tree configured for another processor is made anew (one without the tests
# gets them from the configuration below); the 64-bit test tree of earlier
# stages is no longer used.
rm -rf build/windows-tests
if [ -f "$build/CMakeCache.txt" ] && ! grep -q '^CMAKE_TOOLCHAIN_FILE:.*mingw-w64-i686' "$build/CMakeCache.txt"; then
  rm -rf "$build"
  mkdir -p "$build"
fi
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-w64-i686.cmake" \
  -DKVN_GUI=ON -DKVN_FRAMEWORK_BACKEND=win32 -DKVN_BENCH=OFF -DKVN_TESTS=ON -DKVN_WERROR=ON \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/wine32/wine" >/dev/null
if ! cmake --build "$build" -j2 >"$build/build.log" 2>&1; then
  cat "$build/build.log" >&2
  exit 1
fi
build_time=$((SECONDS - start))
program_status=0
scripts/check-windows-exe.py "$build/KVNConfig.exe" >"$build/check.log" 2>&1 || program_status=$?
tests/windows/check_windows_exe_test.sh >>"$build/check.log" 2>&1 || program_status=$?

wait "$setup_job" || {
  echo "Could not set up the 32-bit Wine (scripts/wine32.sh setup)" >&2
  exit 1
}
wait_time=$((SECONDS - start - build_time))

# The root's prefix serves one stage at a time; it is quiet and headless: no
# debug output, no window, no offer to install Mono or Gecko.
exec 6>>"$WINE32_CACHE/prefix.lock"
flock 6
export WINEPREFIX=$WINE32_PREFIX WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
# dpi-96.reg, dpi-192.reg: the display's DPI, and (once more, in case the
# prefix is new) unmanaged windows for the GUI tests: without a window
# manager, Wine waits about 2 s for one at the end of each managed window; the
# GUI tests' dialogs need none (KVNConfig.exe keeps the default for the
# black-box check). set_dpi imports one, in one process.
for dpi in 96 192; do
  printf '%s\r\n' REGEDIT4 '' '[HKEY_CURRENT_USER\Control Panel\Desktop]' \
    "\"LogPixels\"=dword:$(printf %08x "$dpi")" '' \
    '[HKEY_CURRENT_USER\Software\Wine\AppDefaults\gui_tests.exe\X11 Driver]' '"Managed"="N"' \
    >"$build/dpi-$dpi.reg"
done
set_dpi() { (cd "$build" && wine regedit /S "dpi-$1.reg"); }

# on_display <screen> <function>: runs the function on a private X server of
# that size, with a wineserver of its own that stays up for all of its runs.
# The desktop window, and the screen size it has, is the wineserver's: every
# Wine process of that wineserver runs on that display, the first one too.
on_display() {
  xvfb-run -a -s "-screen 0 ${1}x24" bash -c \
    '. "$1" && wineserver -p && "$0"; status=$?; wineserver -k; exit $status' "$2" "$build/runs.sh"
}

# The core tests, the GUI tests on the win32 backend and the black-box check.
log="$build/test.log"
gui_log="$build/gui-test.log"
at_96_dpi() {
  set_dpi 96
  local start=$SECONDS failed=""
  ctest --test-dir "$build" -V -j2 -LE display >"$log" 2>&1 || failed+=" core"
  echo "core $((SECONDS - start))" >"$build/times"
  start=$SECONDS
  ctest --test-dir "$build" -V -L display >"$gui_log" 2>&1 || failed+=" gui"
  tests/windows/black_box.sh "$build/KVNConfig.exe" >"$build/black_box.log" 2>&1 || failed+=" black_box"
  echo "gui $((SECONDS - start))" >>"$build/times"
  echo "$failed" >"$build/failed"
}
# At 192 DPI, on a screen of the size such displays have: the picture fills
# its place, every caption fits, the icon has the system's size, and the
# program still saves what the keys say. The prefix goes back to 96 DPI.
at_192_dpi() {
  set_dpi 192
  local start=$SECONDS failed=""
  (cd "$build/tests/gui" && wine gui_tests.exe \
    --gtest_filter='PlayerView.ThePictureFillsItsPlaceInTheTemplate:Captions.SampleFile*:Shell.TheWindowCarries*') \
    >"$build/gui-192dpi.log" 2>&1 || failed+=" dpi"
  tests/windows/black_box.sh "$build/KVNConfig.exe" >"$build/black_box_192dpi.log" 2>&1 || failed+=" dpi"
  set_dpi 96
  echo "dpi $((SECONDS - start))" >>"$build/times"
  echo "$failed" >>"$build/failed"
}
# xvfb-run's shell passes no exported functions on.
declare -f set_dpi at_96_dpi at_192_dpi >"$build/runs.sh"
export build log gui_log
rm -f "$build/failed" "$build/times"
on_display 1280x1024 at_96_dpi || true
on_display 2560x1600 at_192_dpi || true
failed=$(cat "$build/failed" 2>/dev/null || echo " core gui black_box dpi")
status=0 gui_status=0 black_box_status=0 dpi_status=0
[[ $failed != *core* ]] || status=1
[[ $failed != *gui* ]] || gui_status=1
[[ $failed != *black_box* ]] || black_box_status=1
[[ $failed != *dpi* ]] || dpi_status=1
core_time=$(awk '$1 == "core" { print $2 }' "$build/times" 2>/dev/null)
gui_time=$(awk '$1 == "gui" { print $2 }' "$build/times" 2>/dev/null)
dpi_time=$(awk '$1 == "dpi" { print $2 }' "$build/times" 2>/dev/null)

# What ran must be what players get: every program a 32-bit one (PE machine
# i386), and the black-box checks on build/windows/KVNConfig.exe itself.
pe_machine() {
  local pe
  pe=$(od -An -tu4 -j60 -N4 "$1" | tr -d ' ')
  od -An -tx2 -j$((pe + 4)) -N2 "$1" | tr -d ' '
}
shipped_status=0
shipped_log="$build/shipped.log"
: >"$shipped_log"
{
  sed -n 's/^[0-9]*: Test command: [^ ]*wine32\/wine "\{0,1\}\([^ "]*\.exe\).*/\1/p' "$log" "$gui_log"
  echo "$root/$build/tests/gui/gui_tests.exe" # the run at 192 DPI
} | sort -u | while read -r exe; do
  machine=$(pe_machine "$exe")
  if [ "$machine" = 014c ]; then
    echo "32-bit (i386): $exe" >>"$shipped_log"
  else
    echo "NOT 32-bit (PE machine 0x$machine): $exe" >>"$shipped_log"
  fi
done
for bb in "$build/black_box.log" "$build/black_box_192dpi.log"; do
  started=$(sed -n 's/^program: //p' "$bb")
  if [ -n "$started" ] && cmp -s "$started" "$build/KVNConfig.exe"; then
    echo "black-box check ($(basename "$bb" .log)) on the file players get: $started" >>"$shipped_log"
  else
    echo "black-box check ($(basename "$bb" .log)) NOT on $build/KVNConfig.exe: ${started:-none}" >>"$shipped_log"
  fi
done
grep -q NOT "$shipped_log" && shipped_status=1

echo "KVNConfig.exe as players get it ($build/KVNConfig.exe):"
sed 's/^/  /' "$build/check.log"
[ "$program_status" -eq 0 ] || status=1
echo "The 32-bit Wine:"
sed 's/^wine32: /  /' "$build/wine32.log"
echo "Windows stage, 32-bit programs in the 32-bit prefix:"
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
echo "Black-box check of KVNConfig.exe:"
sed 's/^/  /' "$build/black_box.log"
[ "$black_box_status" -eq 0 ] || status=1
echo "At 192 DPI:"
grep -E '^\[(==========|  PASSED  |  FAILED  )\]' "$build/gui-192dpi.log" | sed 's/^/  /'
sed 's/^/  /' "$build/black_box_192dpi.log"
if [ "$dpi_status" -ne 0 ]; then
  status=1
  grep -E 'Failure|Expected|Which is|Actual|watchdog' "$build/gui-192dpi.log" >&2 || true
fi
echo "What ran:"
sed 's/^/  /' "$shipped_log"
[ "$shipped_status" -eq 0 ] || status=1
echo "Cross build ${build_time}s, then waiting for the 32-bit Wine ${wait_time}s" \
  "(its setup took $(cat "$build/wine32.time")s), core tests ${core_time}s, GUI and black-box" \
  "${gui_time}s, at 192 DPI ${dpi_time}s; whole stage $((SECONDS - start))s. Full output: $log"
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
