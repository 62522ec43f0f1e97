#!/usr/bin/env bash
# How much of the profile and settings code the fuzz corpus reaches: builds
# the fuzz targets with clang's source-based coverage into build/fuzz-cov,
# runs every input of build/fuzz/corpus and the seeds once, and prints the
# line and branch coverage of platform/profile/ and settings/.
# Run scripts/fuzz.sh first: it builds the corpus.
set -euo pipefail
cd "$(dirname "$0")/.."
build=build/fuzz-cov
[ -d build/fuzz/corpus ] || { echo "No corpus yet: run scripts/fuzz.sh first." >&2; exit 1; }
flags="-fprofile-instr-generate -fcoverage-mapping"
cmake -S . -B $build -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DKVN_FUZZ=ON -DKVN_GUI=OFF \
  -DKVN_TESTS=OFF -DKVN_BENCH=OFF "-DCMAKE_CXX_FLAGS=$flags" \
  "-DCMAKE_EXE_LINKER_FLAGS=$flags" >/dev/null
cmake --build $build -j2 --target profile_fuzzer settings_fuzzer >/dev/null

scratch=$(mktemp -d /dev/shm/kvn-fuzz-cov.XXXXXX 2>/dev/null || mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for target in profile settings; do
  LLVM_PROFILE_FILE=$build/$target.profraw KVN_FUZZ_TMP=$scratch \
    $build/fuzz/${target}_fuzzer -runs=0 build/fuzz/corpus/$target build/fuzz/seeds/$target \
    >/dev/null 2>&1
  llvm-profdata merge -sparse $build/$target.profraw -o $build/$target.profdata
  echo "== $target target: coverage of the code under test"
  llvm-cov report $build/fuzz/${target}_fuzzer -instr-profile=$build/$target.profdata \
    platform/profile settings | sed 's|.*/reliability/||'
done
