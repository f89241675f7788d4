#!/usr/bin/env bash
# Builds the Debian package: scripts/package.sh (writes build-release/vellumscanner_VERSION_ARCH.deb).
# Install it with: sudo apt install ./build-release/vellumscanner_*.deb
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build-release -G Ninja -DCMAKE_BUILD_TYPE=Release -DVS_GUI=ON -DVS_TESTS=OFF -DVS_BENCH=OFF >/dev/null
cmake --build build-release
(cd build-release && cpack -G DEB)
