#!/usr/bin/env bash
# Adding and refreshing in the window (bench/bench_window.cpp: the real
# classes, headless, the input loop run with an event every 5 ms) beside
# `vsdoc base add` and `vsdoc base rescan` of the same files, in one run:
# the synthetic SDK's autodocs, headers and interfaces (3,198 files, 94 MB),
# in the page cache. vsdoc: medians of 11 runs, process start and saving
# included; the window: medians of 3 repetitions of 5 runs. Then the search
# panel's history of 10,000 hits (bench_window).
# Usage: bench/run_window.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
adocs=${VS_BENCH_ADOCS:-/tmp/vellumscanner-bench-adocs}
sources=${VS_BENCH_SOURCES:-/tmp/vellumscanner-bench-sources}
cmake --build "$build" --target vsdoc bench_make_corpus bench_window >/dev/null
"$build/bench/bench_make_corpus" "$adocs" "$sources" >/dev/null
list=$(mktemp)
ls "$adocs"/lib*.doc "$sources"/headers/*.h "$sources"/interfaces/*.xml > "$list"
json=$(VS_WINDOW_FILES=$list "$build/bench/bench_window" --benchmark_format=json 2>/dev/null)
PYTHONPATH="$(dirname "$0")" python3 - "$build/tools/vsdoc" "$list" "$json" <<'PY'
import os, sys, tempfile
from timing import Report, in_page_cache, median, removing, timed
vsdoc, files, report = sys.argv[1], open(sys.argv[2]).read().split(), Report(sys.argv[3])
in_page_cache(files)
base = os.path.join(tempfile.mkdtemp(), "window.qmx")
add = median([timed([vsdoc, "base", "add", base] + files, removing(base)) for _ in range(11)])
rescan = median([timed([vsdoc, "base", "rescan", base]) for _ in range(11)])
def window(name):
    runs = [b for b in report.runs if b["name"].startswith(name)]
    return median([b["job_ms"] for b in runs]), max(b["worst_event_ms"] for b in runs)
for what, ours, peer in [("add", "BM_AddInTheWindow", add), ("refresh", "BM_RefreshInTheWindow", rescan)]:
    ms, worst = window(ours)
    print("%s in the window, %d files: %.1f ms, vsdoc %.1f ms, ratio %.2f (limit 1.5); longest wait of an event %.1f ms (limit 50)"
          % (what, len(files), ms, peer, ms / peer, worst))
history = [b for b in report.runs if b["name"].startswith("BM_SearchHistory")]
print("search panel, 10,000 hits of one document one press after the other: longest press %.1f ms, the 10,000th %.2f ms,"
      " a new search letting the history go %.2f ms" % (max(b["longest_press_ms"] for b in history),
      median([b["press_10000_ms"] for b in history]), median([b["new_search_ms"] for b in history])))
PY
rm -f "$list"
