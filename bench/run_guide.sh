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
python3 - "$build/tools/vsdoc" "$dir/sdk" "$base" "$json" <<'PY'
import glob, json, os, subprocess, sys, time
vsdoc, corpus, base, report = sys.argv[1], sys.argv[2], sys.argv[3], json.loads(sys.argv[4])
runs = [b for b in report["benchmarks"] if b.get("run_type") == "iteration"]
def bench(prefix):
    t = sorted(b["real_time"] for b in runs if b["name"].startswith(prefix))
    return t[len(t) // 2]
def counter(prefix, name):
    return [b for b in runs if b["name"].startswith(prefix)][0][name]
def timed(cmd):
    t = time.perf_counter()
    subprocess.run(cmd, stdout=subprocess.DEVNULL, check=True)
    return (time.perf_counter() - t) * 1000
median = lambda xs: sorted(xs)[len(xs) // 2]

files = sorted(glob.glob(os.path.join(corpus, "*.guide")), key=lambda p: int(os.path.basename(p)[1:-6]))
scan_files, total = [], 0
for f in files:
    if total >= 50 * 2**20:
        break
    total += os.path.getsize(f)
    scan_files.append(f)
for f in files:
    open(f, "rb").read()
wc_scan = median([timed(["wc", "-l"] + scan_files) for _ in range(11)])
scan = bench("BM_IndexScanOfTheGuides")
print("index scan, %d guides, %.1f MB: %.2f ms; wc -l %.2f ms; ratio %.2f (limit 2)"
      % (len(scan_files), total / 1e6, scan, wc_scan, scan / wc_scan))
print("5 MB guide, 6,000 nodes, 2,000 links: opened %.2f ms (limit 50); largest node (%d lines) shown %.2f ms (limit 20)"
      % (bench("BM_OpenTheBigGuide"), counter("BM_ShowTheLargestNode", "node_lines"), bench("BM_ShowTheLargestNode")))
adds, wcs = [], []
for _ in range(5):
    if os.path.exists(base):
        os.unlink(base)
    adds.append(timed([vsdoc, "base", "add", base] + files))
    wcs.append(timed(["wc", "-l"] + files))
size = sum(os.path.getsize(f) for f in files)
print("vsdoc base add, %d guides, %.2f GB: %.0f ms; wc -l %.0f ms; ratio %.2f (limit 2)"
      % (len(files), size / 1e9, median(adds), median(wcs), median(adds) / median(wcs)))
PY
entries=$("$build/tools/vsdoc" base list "$base" | awk -F'\t' '$3 == "D" { n += $6 } END { print n }')
VS_BENCH_GUIDE_BASE=$base "$build/bench/bench_guide" --benchmark_filter='GuideBase' --benchmark_format=json \
  --benchmark_repetitions=5 2>/dev/null | python3 -c '
import json, sys
runs = [b for b in json.load(sys.stdin)["benchmarks"] if b.get("run_type") == "iteration"]
def median(prefix):
    t = sorted(b["real_time"] for b in runs if b["name"].startswith(prefix))
    return t[len(t) // 2]
print("the base, %s entries, %d bytes: loaded %.1f ms (limit 100); a lookup that finds nothing %.2f ms (limit 5)"
      % (sys.argv[1], int(sys.argv[2]), median("BM_LoadTheGuideBase"), median("BM_LookupInTheGuideBase")))' \
  "$entries" "$(stat -c %s "$base")"
rm -rf "$(dirname "$base")"
