#!/usr/bin/env bash
# The reliability stages of the test command, each in a build folder of its own
# (scripts/test.sh runs them after the normal tests):
#
#   build/asan  every test under AddressSanitizer + UndefinedBehaviorSanitizer;
#               any report fails the test
#   build/tsan  the tests labelled "threads" (see tests/CMakeLists.txt) under
#               ThreadSanitizer
#   build/fuzz  the libFuzzer targets for $KVN_FUZZ_SECONDS seconds in all
#               (default 60); scripts/fuzz.sh <seconds> runs them longer
#
# Prints a summary; exits nonzero when any stage fails.
set -uo pipefail
cd "$(dirname "$0")/.."
supp=$PWD/tests/sanitizers

export ASAN_OPTIONS=detect_leaks=1:strict_string_checks=1:detect_stack_use_after_return=1:check_initialization_order=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS=suppressions=$supp/lsan.supp:print_suppressions=0
export TSAN_OPTIONS=halt_on_error=1:second_deadlock_stack=1:suppressions=$supp/tsan.supp
export NO_AT_BRIDGE=1 GDK_GL=disable

configure() { # folder, cmake options...
  local dir=$1
  shift
  cmake -S . -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DKVN_BENCH=OFF "$@" >/dev/null
}

asan() {
  configure build/asan -DKVN_SANITIZE=address,undefined -DKVN_GUI=ON &&
    cmake --build build/asan -j2 &&
    xvfb-run -a -s "-screen 0 1280x1024x24" \
      ctest --test-dir build/asan --output-on-failure -j2 --no-tests=error
}

tsan() {
  configure build/tsan -DKVN_SANITIZE=thread -DKVN_GUI=ON &&
    cmake --build build/tsan -j2 --target thread_tests &&
    xvfb-run -a -s "-screen 0 1280x1024x24" \
      ctest --test-dir build/tsan -L threads --output-on-failure -j2 --no-tests=error
}

fuzz() {
  # A fixed seed, so that a finding here is found again by the same command;
  # scripts/fuzz.sh alone explores with a new seed each run.
  KVN_FUZZ_SEED=${KVN_FUZZ_SEED:-1} scripts/fuzz.sh "${KVN_FUZZ_SECONDS:-60}"
}

results=()
failed=0
for stage in asan tsan fuzz; do
  echo "==== reliability stage: $stage"
  start=$SECONDS
  log=$(mktemp)
  if $stage 2>&1 | tee "$log"; then
    outcome=passed
  else
    outcome=FAILED
    failed=1
  fi
  line=$(printf '%-5s %-6s %4ss' "$stage" "$outcome" $((SECONDS - start)))
  tests=$(grep -a -E '^[0-9]+% tests passed' "$log" | tail -1)
  [ -n "$tests" ] && line="$line  $tests"
  results+=("$line")
  if [ $stage = fuzz ]; then
    while IFS= read -r l; do results+=("      $l"); done < <(grep -a -A3 '^Fuzzing (libFuzzer' "$log" | tail -n +2)
  fi
  rm -f "$log"
done

echo
echo "==== reliability summary"
printf '%s\n' "${results[@]}"
exit $failed
