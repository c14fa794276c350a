#!/usr/bin/env bash
# Fuzzes the reply judges and record decoders: builds the libFuzzer harnesses (clang, ASan + UBSan) into
# build-fuzz/ (or $FUZZ_BUILD_DIR) and runs each for SECONDS (default 20) from its seed corpus in tests/fuzz/corpus.
# New inputs a run finds go to build-fuzz/corpus/, crashing inputs to build-fuzz/findings/ (the script then fails).
# Usage: scripts/fuzz.sh [SECONDS]      scripts/fuzz.sh --seeds   (remakes the seed corpus from the simulator)
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
"$root/scripts/bootstrap.sh" fuzz

if [ "${1:-}" = "--seeds" ]; then
  "$root/scripts/build.sh"
  rm -rf "$root/tests/fuzz/corpus"
  "${BUILD_DIR:-$root/build}/tests/fuzz-seeds" "$root/tests/fuzz/corpus"
  exit 0
fi

seconds="${1:-20}"
build="${FUZZ_BUILD_DIR:-$root/build-fuzz}"
BUILD_DIR="$build" "$root/scripts/build.sh" -DRADLINK_FUZZ=ON -DCMAKE_C_COMPILER=clang-14 \
  -DCMAKE_CXX_COMPILER=clang++-14
mkdir -p "$build/findings"
export ASAN_OPTIONS=abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for harness in cel orlnet snap; do
  name="fuzz_${harness}_replies"
  mkdir -p "$build/corpus/$name"
  log="$build/$name.log"
  if ! "$build/tests/fuzz/$name" -max_total_time="$seconds" -print_final_stats=1 -artifact_prefix="$build/findings/" \
       "$build/corpus/$name" "$root/tests/fuzz/corpus/$name" >"$log" 2>&1; then
    tail -n 40 "$log" >&2
    echo "fuzz: $name found a crash (input in $build/findings/)" >&2
    exit 1
  fi
  runs=$(grep -m1 stat::number_of_executed_units "$log" | awk '{print $2}')
  echo "fuzz: $name: $runs runs in ${seconds} s, no finding; corpus $(ls "$build/corpus/$name" | wc -l) new inputs"
done
