#!/usr/bin/env bash
# Installs what is needed, builds, and runs every test (unit, widget, kill and fuzz).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
(cd build && ctest --output-on-failure --parallel "$(nproc)")
if [ -x bench/fuzz.sh ]; then
  bench/fuzz.sh 60
fi
