#!/usr/bin/env bash
# Runs N rounds of the kill test: random work through kt-invorra-tool script, killed with SIGKILL
# at a random moment, then rebuilt and compared with every acknowledged operation.
#   bench/crash.sh N [SEED]      (build folder: $BUILD_DIR, default ./build)
set -euo pipefail
cd "$(dirname "$0")/.."
rounds="${1:?usage: bench/crash.sh ROUNDS [SEED]}"
build="${BUILD_DIR:-build}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKT_BUILD_TESTS=ON >/dev/null
cmake --build "$build" --target tool_tests kt-invorra-tool >/dev/null
export KT_KILL_ROUNDS="$rounds"
if [ $# -ge 2 ]; then export KT_KILL_SEED="$2"; fi
exec "$build/tests/tool_tests" --gtest_filter='KillTest.*'
