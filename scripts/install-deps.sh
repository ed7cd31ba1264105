#!/usr/bin/env bash
# Installs the Debian packages the program, its tests, its package and the benchmarks need (quiet
# when present).
set -euo pipefail
packages=(
  cmake g++ ninja-build pkg-config
  qt6-base-dev libgl-dev
  libgtest-dev libgmock-dev googletest libbenchmark-dev libsqlite3-dev
  libcurl4-openssl-dev libzip-dev nlohmann-json3-dev
  fonts-liberation
  python3-aiosmtpd openssl poppler-utils unrtf
  clang libclang-rt-14-dev lld
  dpkg-dev
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if ((${#missing[@]})); then
  SUDO=""
  [ "$(id -u)" -ne 0 ] && SUDO="sudo"
  export DEBIAN_FRONTEND=noninteractive
  $SUDO apt-get update -qq
  $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi
