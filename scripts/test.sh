#!/usr/bin/env bash
# Builds Vellumscanner and runs every test: the unit and window tests, the
# same suite under the address and undefined-behaviour sanitizers, and each
# fuzz target for a short while (FUZZ_SECONDS, default 15).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/deps.sh
jobs=$(nproc)

echo "== build and test"
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVS_GUI=ON -DVS_TESTS=ON -DVS_BENCH=ON >/dev/null
cmake --build build -j "$jobs"
(cd build && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j "$jobs")

echo "== sanitizers"
cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVS_SANITIZE=ON -DVS_GUI=ON -DVS_TESTS=ON -DVS_BENCH=OFF >/dev/null
cmake --build build-asan -j "$jobs"
(cd build-asan && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 ctest --output-on-failure -j "$jobs")

echo "== fuzzing"
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVS_FUZZ=ON \
  -DVS_GUI=OFF -DVS_TESTS=OFF -DVS_BENCH=OFF >/dev/null
cmake --build build-fuzz -j "$jobs"
scripts/fuzz.sh build-fuzz "${FUZZ_SECONDS:-15}"

echo "== done"
(cd build && QT_QPA_PLATFORM=offscreen ctest -j "$jobs" | tail -n 3)
