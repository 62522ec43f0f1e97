#!/usr/bin/env bash
# Fuzzes the profile functions and the settings file with libFuzzer:
#
#   scripts/fuzz.sh [seconds]     default 60, two thirds to the profile target
#
# Builds build/fuzz with clang, AddressSanitizer and UndefinedBehaviorSanitizer;
# seeds the targets from the recorded profile cases; keeps the corpus, which
# grows from run to run, in build/fuzz/corpus; saves each finding in
# build/fuzz/findings. Exits nonzero on any finding. KVN_FUZZ_SEED fixes
# libFuzzer's seed (0, the default, picks a new one each run); KVN_PROFILE_VECTORS
# names another file of cases to seed from. Replay one with
#   build/fuzz/fuzz/profile_fuzzer build/fuzz/findings/<file>
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
build=build/fuzz
# 8-bit text is read in the locale's code page; the read-back checks expect 1252.
export LC_ALL=C.UTF-8

scripts/install-deps.sh
cmake -S . -B $build -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DKVN_FUZZ=ON \
  -DKVN_SANITIZE=address,undefined -DKVN_GUI=OFF -DKVN_TESTS=OFF -DKVN_BENCH=OFF \
  -DKVN_WERROR=ON >/dev/null
cmake --build $build -j2 --target profile_fuzzer settings_fuzzer make_seeds

vectors=${KVN_PROFILE_VECTORS:-tests/platform/data/profile-cases.json}
rm -rf $build/seeds
$build/fuzz/make_seeds "$vectors" $build/seeds/profile $build/seeds/settings >/dev/null
mkdir -p $build/corpus/profile $build/corpus/settings $build/findings

# Scratch files of the targets go to a RAM disk when there is one.
scratch=$(mktemp -d /dev/shm/kvn-fuzz-run.XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$scratch"' EXIT

failed=0
summary=()
run() { # target seconds
  local target=$1 time=$2 status=0 log=$build/$1.log
  KVN_FUZZ_TMP=$scratch $build/fuzz/${target}_fuzzer -max_total_time="$time" -timeout=10 \
    -seed="${KVN_FUZZ_SEED:-0}" \
    -rss_limit_mb=2048 -max_len=8192 -dict=fuzz/profile.dict -print_final_stats=1 \
    -artifact_prefix=$build/findings/$target- $build/corpus/$target $build/seeds/$target \
    >"$log" 2>&1 || status=$?
  local runs cov ft corpus speed
  runs=$(grep -a -o 'number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$' || true)
  speed=$(grep -a -o 'average_exec_per_sec: *[0-9]*' "$log" | grep -o '[0-9]*$' || true)
  cov=$(grep -a -o 'cov: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || true)
  ft=$(grep -a -o 'ft: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || true)
  corpus=$(grep -a -o 'corp: [0-9]*' "$log" | tail -1 | grep -o '[0-9]*$' || true)
  if [ "$status" -ne 0 ]; then
    failed=1
    summary+=("$(printf '%-9s FINDING after %s runs, see %s' "$target" "${runs:-?}" "$log")")
    echo "---- $target: finding" >&2
    grep -a -A25 -E '==== FINDING|ERROR: (AddressSanitizer|UndefinedBehaviorSanitizer|libFuzzer)|runtime error' \
      "$log" | head -40 >&2
  else
    summary+=("$(printf '%-9s %6ss %9s runs %6s exec/s  cov %5s  ft %6s  corpus %5s' "$target" \
      "$time" "${runs:-?}" "${speed:-?}" "${cov:-?}" "${ft:-?}" "${corpus:-?}")")
  fi
}
run profile $((seconds * 2 / 3))
run settings $((seconds - seconds * 2 / 3))

echo "Fuzzing (libFuzzer, ASan+UBSan):"
printf '  %s\n' "${summary[@]}"
exit $failed
