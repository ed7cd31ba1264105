#!/usr/bin/env bash
# Runs N rounds of a kill test, killing a kt-invorra-tool process with SIGKILL at a random moment:
#   bench/crash.sh N [SEED]             random engine work through `script`, then rebuilt and
#                                       compared with every acknowledged operation
#   bench/crash.sh --postings N [SEED]  invoice, payment, repeat billing and interest postings
#                                       through `post`; the next command undoes the one cut
#                                       short, and the ledger, the file checks and every
#                                       acknowledged posting are verified
# (build folder: $BUILD_DIR, default ./build)
set -euo pipefail
cd "$(dirname "$0")/.."
test=KillTest
rounds_variable=KT_KILL_ROUNDS
if [ "${1:-}" = "--postings" ]; then
  test=PostingKillTest
  rounds_variable=KT_POSTING_KILL_ROUNDS
  shift
fi
rounds="${1:?usage: bench/crash.sh [--postings] ROUNDS [SEED]}"
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKT_BUILD_TESTS=ON >/dev/null
cmake --build "$build" --target tool_tests kt-invorra-tool >/dev/null
export "$rounds_variable=$rounds"
if [ $# -ge 2 ]; then export KT_KILL_SEED="$2"; fi
exec "$build/tests/tool_tests" --gtest_filter="$test.*"
