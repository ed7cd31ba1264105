#!/usr/bin/env bash
# Installs what is needed, builds the program and the tool (nothing else: no tests, no
# benchmarks), and starts the program on DIR (default ./data). A DIR that does not exist yet is
# made into a demo company with `kt-invorra-tool init --demo`. Without a display the program draws
# its main window offscreen, saves a screenshot and ends.
#   scripts/run.sh [DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
# clang, because its precompiled headers spare each window's file most of the Qt headers.
cmake -S . -B build -G Ninja "${launcher[@]}" -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_EXE_LINKER_FLAGS=-fuse-ld=lld -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKT_BUILD_TESTS=OFF -DKT_BUILD_BENCH=OFF >/dev/null
cmake --build build --parallel "$(nproc)"
data="${1:-data}"
if [ ! -e "$data" ]; then
  build/src/tool/kt-invorra-tool init --demo "$data"
fi
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  shot="$PWD/build/screenshot.png"
  QT_QPA_PLATFORM=offscreen build/src/app/kt-invorra --data "$data" --screenshot "$shot"
  echo "No display: the main window was drawn offscreen into $shot"
else
  exec build/src/app/kt-invorra --data "$data"
fi
