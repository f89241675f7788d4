#!/usr/bin/env bash
# Builds Vellumscanner and starts it: scripts/run.sh [FILE [FUNCTION]]
# With no argument it opens a sample document.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVS_GUI=ON -DVS_TESTS=ON -DVS_BENCH=ON >/dev/null
cmake --build build --target vellumscanner vsdoc catalogs
if [ $# -eq 0 ]; then
  set -- samples/Welcome.txt
fi
exec build/src/vellumscanner "$@"
