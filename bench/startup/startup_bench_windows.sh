#!/usr/bin/env bash
# Start-up benchmark under Wine: time from exec to the dialog's window mapped,
# and peak RSS, for a KVNConfig.exe and for reference_dialog_windows.exe (a
# plain Win32 dialog with the same controls). Run by hand, not by the tests:
#
#   cmake --build build/windows --target reference_dialog_windows   # the Windows build
#   bench/startup/startup_bench_windows.sh [KVNConfig.exe] [repetitions]
#
# KVNConfig.exe defaults to build/windows/KVNConfig.exe, repetitions to 30.
# Both run in the 32-bit Wine of the Windows stage (scripts/wine32.sh, made
# when missing; needs root), as 32-bit programs in a WINEARCH=win32 prefix.
# KVN_BENCH_HOST_WINE=1 takes the host's Wine instead, for 64-bit builds.
# KVN_BENCH_ALSO names a second KVNConfig.exe (say, a build from before a
# change) measured in the same repetitions, for a before-and-after in one run.
# WINDOWS_BUILD_DIR overrides build/windows (where the reference is), BUILD_DIR
# build/ (where startup_probe is; without it the probe is compiled here).
# KVN_TITLE is the title of the window to wait for ("KVNConfig"); to try the
# script on another program, e.g. the reference itself, pass KVN_TITLE too.
#
# Everything runs on a private Xvfb and a private Wine prefix holding a small
# korvane/kvn.ini, with a persistent wineserver started first so that no run
# pays for starting Wine's services, and a windowless reference (--hold) that
# keeps Wine's desktop process alive: it ends a second after the last program
# using it, and a run that found it gone would pay for starting it (under qemu
# a run can take that long); the current directory holds the sample
# caption file. The clock is startup_probe: it spawns "wine program.exe" and
# stops at the X server's MapNotify for the window of that title. Runs are
# interleaved, in rotating order, after warm-up runs of each. Prints medians
# (and quartiles), their ratio, the median of the ratios of the runs paired in
# each repetition (steadier when the machine's load drifts), the ratio of the
# programs' own CPU time (in a VM, load changes it too), and the file's
# size, against their targets.
# Exits non-zero only on errors, never on a missed target.
set -euo pipefail

root=$(cd "$(dirname "$0")/../.." && pwd)
kvn=${1:-$root/build/windows/KVNConfig.exe}
reps=${2:-30}
winbuild=${WINDOWS_BUILD_DIR:-$root/build/windows}
reference=$winbuild/bench/startup/reference_dialog_windows.exe
probe=${BUILD_DIR:-$root/build}/bench/startup/startup_probe
title=${KVN_TITLE:-KVNConfig}

fail() {
  echo "startup_bench_windows: $*" >&2
  exit 2
}
[ -f "$kvn" ] || fail "$kvn is missing; build it, or pass the path of KVNConfig.exe"
[ -f "$reference" ] || fail "$reference is missing; build the target reference_dialog_windows in $winbuild"
case $reps in '' | *[!0-9]*) fail "not a number of repetitions: $reps" ;; esac
if [ "${KVN_BENCH_HOST_WINE:-}" != 1 ]; then
  . "$root/scripts/wine32-env.sh"
  wine32_begin
  wine32_setup || fail "cannot set up the 32-bit Wine (scripts/wine32.sh setup)"
  export WINEARCH=win32
fi
for tool in wine wineserver wineboot Xvfb; do
  command -v "$tool" >/dev/null || fail "$tool is missing (scripts/install-deps.sh)"
done
wine=$(command -v wine)
kvn=$(cd "$(dirname "$kvn")" && pwd)/$(basename "$kvn")

tmp=$(mktemp -d)
xvfb_pid=
cleanup() {
  WINEPREFIX=$tmp/prefix wineserver -k 2>/dev/null || true
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
  fi
  rm -rf "$tmp"
  [ "$(type -t wine32_end)" != function ] || wine32_end
}
trap cleanup EXIT

if [ ! -x "$probe" ]; then
  probe=$tmp/startup_probe
  c++ -std=c++20 -O2 -o "$probe" "$root/bench/startup/startup_probe.cpp" -lX11 ||
    fail "cannot compile startup_probe (needs libx11-dev)"
fi

# The private X server.
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
  3>"$tmp/xvfb.display" 2>"$tmp/xvfb.log" &
xvfb_pid=$!
for _ in $(seq 200); do
  [ -s "$tmp/xvfb.display" ] && break
  kill -0 "$xvfb_pid" 2>/dev/null || { cat "$tmp/xvfb.log" >&2; fail "Xvfb failed to start"; }
  sleep 0.05
done
[ -s "$tmp/xvfb.display" ] || fail "Xvfb did not come up"
DISPLAY=:$(tr -d '[:space:]' <"$tmp/xvfb.display")
export DISPLAY

# The private prefix, quiet, with no offer to install Mono or Gecko; then a
# wineserver that stays when the last program ends.
export WINEPREFIX=$tmp/prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
echo "Creating a Wine prefix..." >&2
wineboot -i >"$tmp/wineboot.log" 2>&1 || { cat "$tmp/wineboot.log" >&2; fail "wineboot failed"; }
wineserver -w
wineserver -p
mkdir -p "$tmp/run" "$WINEPREFIX/drive_c/windows/korvane"
printf '[ZOLT]\r\nMipMapping=ON\r\nLowGraphicMode=0\r\nMaxRAMForAGP=AUTO\r\nLanguage=English\r\nDDDriver=Primary Display Driver\r\n' \
  >"$WINEPREFIX/drive_c/windows/korvane/kvn.ini"
cp "$root/resources/KVNConfig.ini" "$tmp/run/KVNConfig.ini"
(cd "$tmp/run" && exec "$wine" "$reference" --hold >/dev/null 2>&1) &

# measure <series> <title> <program.exe>: one start, appended to the series
# as "milliseconds KiB".
measure() {
  local out
  if ! out=$(cd "$tmp/run" && "$probe" --title "$2" -- "$wine" "$3" 2>"$tmp/probe.log"); then
    echo "startup_bench_windows: $1: the program did not map its window:" >&2
    tail -n 20 "$tmp/probe.log" >&2
    exit 2
  fi
  echo "$out" >>"$tmp/$1"
}
ref() { measure "${1:-ref}" "Reference dialog" "$reference"; }
kvnconfig() { measure "${1:-kvn}" "$title" "$kvn"; }
also=${KVN_BENCH_ALSO:-}
[ -z "$also" ] || [ -f "$also" ] || fail "$also is missing"
[ -z "$also" ] || also=$(cd "$(dirname "$also")" && pwd)/$(basename "$also")
other() { [ -z "$also" ] || measure "${1:-also}" "$title" "$also"; }

for _ in 1 2 3; do
  ref warmup
  kvnconfig warmup
  other warmup
done

echo "Measuring $reps repetitions (display $DISPLAY, $(wine --version)${WINEARCH:+, WINEARCH=$WINEARCH})..." >&2
for i in $(seq "$reps"); do
  # Alternate the order so that neither program always runs second.
  case $((i % 3)) in
  1) ref && kvnconfig && other ;;
  2) kvnconfig && other && ref ;;
  0) other && ref && kvnconfig ;;
  esac
done

# stats <series> <column>: median, first and third quartile.
stats() {
  sort -n -k"$2" "$tmp/$1" | awk -v c="$2" '
    { v[NR] = $c }
    function q(p,  x, i) { x = 1 + (NR - 1) * p; i = int(x); return v[i] + (x - i) * (v[i + 1 < NR ? i + 1 : NR] - v[i]) }
    END { printf "%.1f %.1f %.1f\n", q(0.5), q(0.25), q(0.75) }'
}

row() {
  local t m c
  read -r -a t <<<"$(stats "$2" 1)"
  read -r -a m <<<"$(stats "$2" 2)"
  read -r -a c <<<"$(stats "$2" 3)"
  printf '%-32s %9.1f (%5.1f-%5.1f) %9.1f (%5.1f-%5.1f) %7.1f (%5.1f-%5.1f)\n' "$1" "${t[@]}" \
    "$(awk -v k="${m[0]}" 'BEGIN { print k / 1024 }')" \
    "$(awk -v k="${m[1]}" 'BEGIN { print k / 1024 }')" \
    "$(awk -v k="${m[2]}" 'BEGIN { print k / 1024 }')" "${c[@]}"
}

# ratio <label> <column> <target or -> [series]
ratio() {
  local a b
  a=$(stats "${4:-kvn}" "$2" | cut -d' ' -f1)
  b=$(stats ref "$2" | cut -d' ' -f1)
  awk -v a="$a" -v b="$b" -v label="$1" -v target="$3" 'BEGIN {
    r = a / b
    verdict = ""
    if (target != "-") verdict = sprintf("  (target <= %.2fx: %s)", target, r <= target ? "met" : "MISSED")
    printf "  %-40s %.3fx%s\n", label, r, verdict
  }'
}

echo
echo "Start-up under Wine from exec to window mapped; $reps interleaved repetitions; medians (quartiles)"
printf '%-32s %24s %24s %22s\n' "" "time ms" "peak RSS MiB" "CPU ms"
row "reference dialog (Win32)" ref
row "$(basename "$kvn")" kvn
[ -z "$also" ] || row "$(basename "$also")" also
echo
echo "Ratios of medians:"
paired() {
  # Each line: milliseconds, KiB, CPU milliseconds; then the same of the reference.
  paste -d' ' "$tmp/$1" "$tmp/ref" | awk '{ print $1 / $4 }' | sort -n |
    awk -v label="$2" '{ v[NR] = $1 } END {
      m = NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
      printf "  %-40s %.3fx\n", label, m
    }'
}
for series in kvn ${also:+also}; do
  [ "$series" = kvn ] && exe=$kvn || exe=$also
  [ -z "$also" ] || echo " $exe:"
  ratio "$(basename "$exe") / reference, time" 1 1.10 "$series"
  ratio "$(basename "$exe") / reference, peak RSS" 2 - "$series"
  ratio "$(basename "$exe") / reference, CPU time" 3 - "$series"
  paired "$series" "median of paired ratios, time"
done
size=$(stat -c %s "$kvn")
stripped=$size
for strip in i686-w64-mingw32-strip x86_64-w64-mingw32-strip; do
  if command -v $strip >/dev/null && $strip -o "$tmp/stripped.exe" "$kvn" 2>/dev/null; then
    stripped=$(stat -c %s "$tmp/stripped.exe")
    break
  fi
done
awk -v s="$size" -v t="$stripped" -v name="$(basename "$kvn")" 'BEGIN {
  printf "\nSize of %s: %.2f MB, %.2f MB without debug information (target < 2 MB: %s)\n",
    name, s / 1048576, t / 1048576, t < 2097152 ? "met" : "MISSED"
}'
