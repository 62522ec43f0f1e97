#!/usr/bin/env bash
# Start-up benchmark: time from exec to the dialog's window mapped, and peak
# RSS, for KVNConfig and for reference_dialog (a plain wxWidgets dialog with
# the same kinds and number of controls). Repetitions are interleaved under one
# X server kept warm; each repetition also starts both programs as the first
# GTK client of a fresh X server, where GTK probes OpenGL unless told not to.
#
#   scripts/build.sh                      # builds KVNConfig and bench/startup/
#   bench/startup/startup_bench.sh [repetitions]     # default 20
#
# BUILD_DIR overrides build/. Without build/KVNConfig only the reference is
# measured. KVNConfig runs with a temporary WINEPREFIX holding a small
# korvane/kvn.ini, in a temporary current directory. The clock is
# startup_probe: it spawns the program and stops at the X server's MapNotify
# for the window; a bare Xlib window gives the floor of that method. Prints
# medians (and quartiles) and the ratios against their targets. Exits non-zero
# only on errors, never on a missed target.
set -euo pipefail

reps=${1:-20}
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build}
probe=$build/bench/startup/startup_probe
reference=$build/bench/startup/reference_dialog
kvn=$build/KVNConfig

for tool in "$probe" "$reference"; do
  if [ ! -x "$tool" ]; then
    echo "startup_bench: $tool is missing; build first (scripts/build.sh)" >&2
    exit 2
  fi
done
command -v Xvfb >/dev/null || { echo "startup_bench: Xvfb is missing (scripts/install-deps.sh)" >&2; exit 2; }
have_kvn=0
[ -x "$kvn" ] && have_kvn=1

tmp=$(mktemp -d)
xvfb_pids=()
cleanup() {
  local pid
  for pid in "${xvfb_pids[@]}"; do
    kill "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
  done
  rm -rf "$tmp"
}
trap cleanup EXIT

# A small setup like a player's: settings that name a driver, and captions.
mkdir -p "$tmp/prefix/drive_c/windows/korvane" "$tmp/run"
printf '[ZOLT]\r\nMipMapping=ON\r\nLowGraphicMode=0\r\nMaxRAMForAGP=AUTO\r\nLanguage=English\r\nDDDriver=Primary Display Driver\r\n' \
  >"$tmp/prefix/drive_c/windows/korvane/kvn.ini"
printf '[KVNCONFIG]\r\nDRVPICKERPATH=.\\DrvPicker.exe\r\n[English]\r\nGRAPHICSTITLE=Graphics\r\nOK=Ok\r\nCANCEL=Cancel\r\n' \
  >"$tmp/run/KVNConfig.ini"

# Starts an Xvfb on a free display; sets xvfb_pid and xvfb_display.
start_xvfb() {
  local display_file=$tmp/xvfb.display
  : >"$display_file"
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp -noreset \
    3>"$display_file" 2>"$tmp/xvfb.log" &
  xvfb_pid=$!
  xvfb_pids+=("$xvfb_pid")
  for _ in $(seq 200); do
    [ -s "$display_file" ] && break
    if ! kill -0 "$xvfb_pid" 2>/dev/null; then
      echo "startup_bench: Xvfb failed to start:" >&2
      cat "$tmp/xvfb.log" >&2
      exit 2
    fi
    sleep 0.05
  done
  [ -s "$display_file" ] || { echo "startup_bench: Xvfb did not come up" >&2; exit 2; }
  xvfb_display=:$(tr -d '[:space:]' <"$display_file")
}

stop_xvfb() {
  local pid kept=()
  kill "$1" 2>/dev/null || true
  wait "$1" 2>/dev/null || true
  for pid in "${xvfb_pids[@]}"; do
    [ "$pid" = "$1" ] || kept+=("$pid")
  done
  xvfb_pids=("${kept[@]}")
}

# measure <series> <display> <title> <program...>: one start, appended to the
# series as "milliseconds KiB". GDK_GL is cleared so that only what a program
# does for itself counts; NO_AT_BRIDGE keeps GTK's accessibility helpers out.
measure() {
  local series=$1 display=$2 title=$3
  shift 3
  local out
  if ! out=$(cd "$tmp/run" && env -u GDK_GL DISPLAY="$display" NO_AT_BRIDGE=1 \
    WINEPREFIX="$tmp/prefix" "$probe" --title "$title" -- "$@" 2>"$tmp/probe.log"); then
    echo "startup_bench: $series: the program did not map its window:" >&2
    tail -n 20 "$tmp/probe.log" >&2
    exit 2
  fi
  echo "$out" >>"$tmp/$series"
}

start_xvfb
warm=$xvfb_display
warm_pid=$xvfb_pid

bare() { measure "$1" "$2" "bare window" "$probe" --bare-window "bare window"; }
ref() { measure "$1" "$2" "Reference dialog" "$reference"; }
kvnconfig() { measure "$1" "$2" "KVNConfig" "$kvn"; }

# The first GTK client of a server pays the OpenGL probe: run that, and a few
# more starts to fill the caches, before anything is timed.
for _ in 1 2 3; do
  ref warmup "$warm"
  [ $have_kvn = 1 ] && kvnconfig warmup "$warm"
done
bare warmup "$warm"

echo "Measuring $reps repetitions (warm server $warm)..." >&2
for i in $(seq "$reps"); do
  bare bare "$warm"
  # Alternate the order so that neither program always runs second.
  if [ $((i % 2)) = 1 ] || [ $have_kvn = 0 ]; then
    ref ref_warm "$warm"
    [ $have_kvn = 1 ] && kvnconfig kvn_warm "$warm"
  else
    kvnconfig kvn_warm "$warm"
    ref ref_warm "$warm"
  fi
  if [ $have_kvn = 1 ]; then
    start_xvfb
    kvnconfig kvn_fresh "$xvfb_display"
    stop_xvfb "$xvfb_pid"
  fi
  start_xvfb
  ref ref_fresh "$xvfb_display"
  stop_xvfb "$xvfb_pid"
done
stop_xvfb "$warm_pid"

# stats <series> <column>: median, first and third quartile.
stats() {
  sort -n -k"$2" "$tmp/$1" | awk -v c="$2" '
    { v[NR] = $c }
    function q(p,  x, i) { x = 1 + (NR - 1) * p; i = int(x); return v[i] + (x - i) * (v[i + 1 < NR ? i + 1 : NR] - v[i]) }
    END { printf "%.1f %.1f %.1f\n", q(0.5), q(0.25), q(0.75) }'
}

row() {
  local label=$1 series=$2 t m
  read -r -a t <<<"$(stats "$series" 1)"
  read -r -a m <<<"$(stats "$series" 2)"
  printf '%-34s %9.1f (%5.1f-%5.1f) %9.1f (%5.1f-%5.1f)\n' "$label" \
    "${t[0]}" "${t[1]}" "${t[2]}" \
    "$(awk -v k="${m[0]}" 'BEGIN { print k / 1024 }')" \
    "$(awk -v k="${m[1]}" 'BEGIN { print k / 1024 }')" \
    "$(awk -v k="${m[2]}" 'BEGIN { print k / 1024 }')"
}

median() { stats "$1" "$2" | cut -d' ' -f1; }

# ratio <label> <series> <over> <column> <target or ->
ratio() {
  local a b
  a=$(median "$2" "$4")
  b=$(median "$3" "$4")
  awk -v a="$a" -v b="$b" -v label="$1" -v target="$5" 'BEGIN {
    r = a / b
    verdict = ""
    if (target != "-") verdict = sprintf("  (target <= %.2fx: %s)", target, r <= target ? "met" : "MISSED")
    printf "  %-40s %.2fx%s\n", label, r, verdict
  }'
}

echo
echo "Start-up from exec to window mapped; $reps interleaved repetitions; medians (quartiles)"
printf '%-34s %24s %24s\n' "" "time ms" "peak RSS MiB"
row "bare Xlib window (method's floor)" bare
row "reference dialog, warm server" ref_warm
[ $have_kvn = 1 ] && row "KVNConfig, warm server" kvn_warm
[ $have_kvn = 1 ] && row "KVNConfig, fresh server" kvn_fresh
row "reference dialog, fresh server" ref_fresh
echo
echo "Ratios of medians:"
if [ $have_kvn = 1 ]; then
  ratio "KVNConfig / reference, time" kvn_warm ref_warm 1 1.10
  ratio "KVNConfig / reference, peak RSS" kvn_warm ref_warm 2 1.10
  ratio "KVNConfig fresh / warm, time" kvn_fresh kvn_warm 1 1.15
  ratio "KVNConfig fresh / warm, peak RSS" kvn_fresh kvn_warm 2 1.15
else
  echo "  (no $kvn: KVNConfig not measured)"
fi
ratio "reference fresh / warm, time" ref_fresh ref_warm 1 -
ratio "reference fresh / warm, peak RSS" ref_fresh ref_warm 2 -
