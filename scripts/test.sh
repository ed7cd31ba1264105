#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test (unit, widget, kill and fuzz), then the
# engine, tool and record tests again under AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
(cd build && ctest --output-on-failure --parallel "$(nproc)")

# The sanitizer build: no windows or benchmarks, only the suites that drive the engine and the
# files. Any report fails the run (-fno-sanitize-recover, halt_on_error).
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DKT_SANITIZE=ON -DKT_BUILD_GUI=OFF -DKT_BUILD_BENCH=OFF >/dev/null
cmake --build build-asan --parallel "$(nproc)" \
  --target engine_tests tool_tests records_tests kt-invorra-tool
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1:strict_string_checks=1
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
for suite in engine_tests records_tests tool_tests; do
  (cd build-asan && "tests/$suite" --gtest_brief=1)
done

if [ -x bench/fuzz.sh ]; then
  bench/fuzz.sh 60
fi
