#!/usr/bin/env bash
# Builds the engine's libFuzzer target with clang, coverage and sanitizers (folder build-fuzz) and
# runs it for SECONDS on the saved corpus, one worker per core. New inputs go to build-fuzz/corpus;
# a failing input is saved under build-fuzz/artifacts and fails the run: copy it into
# tests/fuzz/corpus/regressions/ so that tool_tests replays it from then on. The last line tells
# how many inputs ran per second, all workers together.
#   bench/fuzz.sh SECONDS
set -euo pipefail
cd "$(dirname "$0")/.."
seconds="${1:?usage: bench/fuzz.sh SECONDS}"
root="$PWD"
build="$root/build-fuzz"
workers="$(nproc)"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DKT_SANITIZE=ON -DKT_FUZZ=ON \
  -DKT_BUILD_GUI=OFF -DKT_BUILD_TESTS=OFF -DKT_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --target fuzz_file_block >/dev/null
mkdir -p "$build/corpus" "$build/artifacts"
rm -rf "$build/logs" && mkdir -p "$build/logs"
echo "fuzzing the engine for $seconds s with $workers workers"
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# Every input starts from a fresh engine and in-memory files, so a leak check at exit only costs
# time; a small quarantine still catches a use after free within an input, and leaves fresh memory
# to be faulted in far less often than the default 256 MB, as does not filling new allocations.
export ASAN_OPTIONS=detect_leaks=0:quarantine_size_mb=16:max_malloc_fill_size=0
# Each worker writes its log to fuzz-N.log in the current folder. The processor time of the
# workers is kept too: on a busy machine the wall-clock rate mostly measures the neighbours.
TIMEFORMAT="%U %S"
{ time (cd "$build/logs" && "$build/tests/fuzz/fuzz_file_block" -jobs="$workers" -workers="$workers" \
  -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -max_len=70000 -print_final_stats=1 \
  -artifact_prefix="$build/artifacts/" \
  "$build/corpus" "$root/tests/fuzz/corpus/seed" "$root/tests/fuzz/corpus/regressions" \
  >"$build/fuzz.log" 2>&1); } 2>"$build/fuzz.time" || {
  tail -n 60 "$build"/logs/fuzz-*.log
  echo "the fuzzer found a failure; its input is in $build/artifacts/" >&2
  exit 1
}
read -r user system <"$build/fuzz.time"
awk -v seconds="$seconds" -v workers="$workers" -v user="$user" -v sys="$system" '
  /^stat::number_of_executed_units:/ { runs += $2 }
  END { cpu = user + sys
        printf "fuzzing ran %d inputs in %d s on %d workers: %.0f per second, %.0f per second of " \
               "processor time; no failure found\n", runs, seconds, workers, runs / seconds,
               runs / (cpu > 0 ? cpu : 1) }' "$build"/logs/fuzz-*.log
