#!/usr/bin/env bash
# Builds Vellumscanner for use and installs it: scripts/install.sh [PREFIX]
# (default /usr/local). The programs go to PREFIX/bin, their data, desktop
# entry, icons, file types and manual pages below PREFIX/share.
set -euo pipefail
cd "$(dirname "$0")/.."
prefix=${1:-/usr/local}
scripts/deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVS_GUI=ON -DVS_TESTS=OFF -DVS_BENCH=OFF >/dev/null
cmake --build build-release
if ! { [ -d "$prefix" ] && [ -w "$prefix" ]; } && ! { [ ! -e "$prefix" ] && [ -w "$(dirname "$prefix")" ]; }; then
  echo "install.sh: $prefix is not writable; run it as root or give a prefix of your own, such as ~/.local" >&2
  exit 1
fi
cmake --install build-release --prefix "$prefix"
# the desktop learns of the new file types and icons where its tools are present
command -v update-mime-database >/dev/null && update-mime-database "$prefix/share/mime" || true
command -v update-desktop-database >/dev/null && update-desktop-database "$prefix/share/applications" || true
