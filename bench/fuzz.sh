#!/usr/bin/env bash
# Builds the engine's libFuzzer target with clang, coverage and sanitizers (folder build-fuzz) and
# runs it for SECONDS on the saved corpus. New inputs go to build-fuzz/corpus; a failing input is
# saved under build-fuzz/artifacts and fails the run: copy it into tests/fuzz/corpus/regressions/
# so that tool_tests replays it from then on.
#   bench/fuzz.sh SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:?usage: bench/fuzz.sh SECONDS}"
build=build-fuzz
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$flags" \
  -DKT_FUZZ=ON -DKT_BUILD_GUI=OFF -DKT_BUILD_TESTS=OFF -DKT_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_file_block >/dev/null
mkdir -p "$build/corpus" "$build/artifacts"
echo "fuzzing the engine for $seconds s"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
"$build/tests/fuzz/fuzz_file_block" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 \
  -max_len=70000 -print_final_stats=1 -artifact_prefix="$build/artifacts/" \
  "$build/corpus" tests/fuzz/corpus/seed tests/fuzz/corpus/regressions 2>"$build/fuzz.log" || {
  tail -60 "$build/fuzz.log"
  echo "the fuzzer found a failure; its input is in $build/artifacts/" >&2
  exit 1
}
grep -E "^stat::number_of_executed_units|^Done" "$build/fuzz.log" || true
echo "fuzzing found no failure"
