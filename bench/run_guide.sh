#!/usr/bin/env bash
# The AmigaGuide figures, in one run: the index scan of the first 50 MB of a
# synthetic corpus beside `wc -l` on the same files; opening a 5 MB guide of
# 6,000 nodes and 2,000 links and showing its largest node; `vsdoc base add`
# of the whole corpus (about 20,000 guides, 1 GB) into a new base beside
# `wc -l` over the same file list (alternating, medians of 5); loading that
# base and a lookup in it. Usage: bench/run_guide.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
dir=${VS_BENCH_GUIDES:-/tmp/vellumscanner-bench-guides}
export VS_BENCH_GUIDES=$dir
cmake --build "$build" --target vsdoc bench_guide bench_make_guides >/dev/null
"$build/bench/bench_make_guides" "$dir/sdk" >/dev/null
base=$(mktemp -d)/guides.qmx
json=$("$build/bench/bench_guide" --benchmark_format=json --benchmark_repetitions=5 2>/dev/null)
PYTHONPATH="$(dirname "$0")" python3 - "$build/tools/vsdoc" "$dir/sdk" "$base" "$json" <<'PY'
import glob, os, sys
from timing import Report, in_page_cache, median, removing, side_by_side, timed
vsdoc, corpus, base, report = sys.argv[1], sys.argv[2], sys.argv[3], Report(sys.argv[4])
files = sorted(glob.glob(os.path.join(corpus, "*.guide")), key=lambda p: int(os.path.basename(p)[1:-6]))
scan_files, total = [], 0
for f in files:
    if total >= 50 * 2**20:
        break
    total += os.path.getsize(f)
    scan_files.append(f)
in_page_cache(files)
wc_scan = median([timed(["wc", "-l"] + scan_files) for _ in range(11)])
scan = report.median("BM_IndexScanOfTheGuides")
print("index scan, %d guides, %.1f MB: %.2f ms; wc -l %.2f ms; ratio %.2f (limit 2)"
      % (len(scan_files), total / 1e6, scan, wc_scan, scan / wc_scan))
print("5 MB guide, 6,000 nodes, 2,000 links: opened %.2f ms (limit 50); largest node (%d lines) shown %.2f ms (limit 20)"
      % (report.median("BM_OpenTheBigGuide"), report.counter("BM_ShowTheLargestNode", "node_lines"),
         report.median("BM_ShowTheLargestNode")))
add, wc = side_by_side([vsdoc, "base", "add", base] + files, ["wc", "-l"] + files, 5, removing(base))
size = sum(os.path.getsize(f) for f in files)
print("vsdoc base add, %d guides, %.2f GB: %.0f ms; wc -l %.0f ms; ratio %.2f (limit 2)"
      % (len(files), size / 1e9, add, wc, add / wc))
PY
entries=$("$build/tools/vsdoc" base list "$base" | awk -F'\t' '$3 == "D" { n += $6 } END { print n }')
VS_BENCH_GUIDE_BASE=$base "$build/bench/bench_guide" --benchmark_filter='GuideBase' --benchmark_format=json \
  --benchmark_repetitions=5 2>/dev/null | PYTHONPATH="$(dirname "$0")" python3 -c '
import sys
from timing import Report
median = Report(sys.stdin.read()).median
print("the base, %s entries, %d bytes: loaded %.1f ms (limit 100); a lookup that finds nothing %.2f ms (limit 5)"
      % (sys.argv[1], int(sys.argv[2]), median("BM_LoadTheGuideBase"), median("BM_LookupInTheGuideBase")))' \
  "$entries" "$(stat -c %s "$base")"
rm -rf "$(dirname "$base")"
