#!/usr/bin/env bash
# The command port and the input loop under load (bench/bench_port.cpp):
# 10,000 commands from 8 clients at once against the program's own port, and
# the longest an event waits in the input loop while the search panel
# searches a base of about 200 MB (autodocs, headers, interfaces, plain text
# and guides of the synthetic corpora) for a text it does not hold.
# Usage: bench/run_port.sh [BUILD_DIR]  (after bench/run_search.sh, which makes
# the SDK base; bench/run_guide.sh makes the guides)
set -euo pipefail
build=${1:-build}
adocs=${VS_BENCH_ADOCS:-/tmp/vellumscanner-bench-adocs}
sources=${VS_BENCH_SOURCES:-/tmp/vellumscanner-bench-sources}
text=${VS_BENCH_TEXT:-/tmp/vellumscanner-bench-text}
guides=${VS_BENCH_GUIDES:-/tmp/vellumscanner-bench-guides}
cmake --build "$build" --target vsdoc bench_port >/dev/null
base=$(dirname "$adocs")/vellumscanner-bench-search.qmx
big=$(dirname "$adocs")/vellumscanner-bench-search-200.qmx
if [ ! -f "$big" ]; then
  files=("$adocs"/*.doc "$sources"/headers/*.h "$sources"/interfaces/*.xml "$sources"/big* "$text"/*.txt)
  size=$(cat "${files[@]}" | wc -c)
  for g in "$guides"/sdk/*.guide; do   # guides until the base holds 200 MB
    [ "$size" -ge 200000000 ] && break
    files+=("$g")
    size=$((size + $(stat -c %s "$g")))
  done
  "$build/tools/vsdoc" base add "$big" "${files[@]}" 2>/dev/null
  echo "made $big: ${#files[@]} files, $size bytes"
fi
VS_SEARCH_BASE=$base VS_SEARCH_BIG_BASE=$big "$build/bench/bench_port"
