#!/usr/bin/env bash
# Builds the engine's libFuzzer target with clang, coverage and sanitizers (folder build-fuzz) and
# runs it for SECONDS on the saved corpus, with one worker per core. New inputs go to
# build-fuzz/corpus; a failing input is saved under build-fuzz/artifacts and fails the run: copy it
# into tests/fuzz/corpus/regressions/ so that tool_tests replays it from then on. The last line
# tells how many inputs ran per second.
#   bench/fuzz.sh SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:?usage: bench/fuzz.sh SECONDS}"
build=build-fuzz
workers="$(nproc)"
flags="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$flags" \
  -DKT_FUZZ=ON -DKT_BUILD_GUI=OFF -DKT_BUILD_TESTS=OFF -DKT_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_file_block >/dev/null
mkdir -p "$build/corpus" "$build/artifacts"
echo "fuzzing the engine for $seconds s with $workers workers"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Every input starts from a fresh engine and in-memory files, so leak checks at exit only cost time.
export ASAN_OPTIONS=detect_leaks=0
"$build/tests/fuzz/fuzz_file_block" -fork="$workers" -max_total_time="$seconds" -timeout=20 \
  -rss_limit_mb=2048 -max_len=70000 -print_final_stats=1 -artifact_prefix="$build/artifacts/" \
  "$build/corpus" tests/fuzz/corpus/seed tests/fuzz/corpus/regressions >"$build/fuzz.log" 2>&1 || {
  tail -60 "$build/fuzz.log"
  echo "the fuzzer found a failure; its input is in $build/artifacts/" >&2
  exit 1
}
# Fork mode reports running totals on lines "#EXECUTIONS: cov: ... exec/s: RATE ...".
grep -E "^#[0-9]+: " "$build/fuzz.log" | tail -1 |
  sed -E 's/^#([0-9]+):.* exec\/s: ([0-9]+).*/fuzzing ran \1 inputs, \2 per second, and found no failure/'
