#!/usr/bin/env bash
# Installs what is needed, builds, and starts the program on DIR (default ./data, created as a
# starter folder when missing). Without a display it runs offscreen and saves a screenshot.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh
data="${1:-data}"
if [ ! -e "$data" ]; then
  build/src/tool/kt-invorra-tool init "$data"
fi
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  shot="$PWD/build/screenshot.png"
  QT_QPA_PLATFORM=offscreen build/src/app/kt-invorra --data "$data" --screenshot "$shot"
  echo "No display: the main window was drawn offscreen into $shot"
else
  exec build/src/app/kt-invorra --data "$data"
fi
