#!/usr/bin/env bash
# Installs what is needed, builds every test once with clang under AddressSanitizer and
# UndefinedBehaviorSanitizer (folder build-test), and runs them all: the quick, slow, smtp and fuzz
# tiers (the fuzz tier with a 30 s fuzzer run) and the package test, which packs this build into a
# Debian package and checks it (scripts/check_package.sh). Any sanitizer report fails the run.
#   scripts/test.sh            everything, as CI runs it
#   scripts/test.sh --quick    only the quick tier, on the existing build after rebuilding what
#                              changed: the edit-test loop
set -euo pipefail
cd "$(dirname "$0")/.."
build=build-test
jobs="$(nproc)"

if [ "${1:-}" = "--quick" ]; then
  [ -f "$build/build.ninja" ] || { echo "no $build yet: run scripts/test.sh once first" >&2; exit 2; }
  cmake --build "$build" --parallel "$jobs"
  (cd "$build" && ctest -L quick --output-on-failure --parallel "$jobs")
  exit 0
fi

scripts/install-deps.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# Light optimisation and line tables only: the build is most of the run's time, and a report still
# names file and line.
cmake -S . -B "$build" -G Ninja "${launcher[@]}" -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -gline-tables-only" \
  -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld \
  -DKT_SANITIZE=ON -DKT_FUZZ=ON -DKT_BUILD_TESTS=ON -DKT_BUILD_BENCH=OFF >/dev/null
cmake --build "$build" --parallel "$jobs"
(cd "$build" && ctest --output-on-failure --parallel "$jobs")
