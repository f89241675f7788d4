#!/usr/bin/env bash
# The header and XML interface figures, in one run: the index scan of 50 MB
# of synthetic headers (thousands of files) and of 20 MB of interfaces beside
# `wc -l` on the same files, `vsdoc base add` of each set beside `wc -l`
# (alternating, process start included), and opening and choosing entries in
# a 1.5 MB header of 5,000 structures and a 1.5 MB interface of 7,000 methods.
# Usage: bench/run_wholetext.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
dir=${VS_BENCH_SOURCES:-/tmp/vellumscanner-bench-sources}
export VS_BENCH_SOURCES=$dir
cmake --build "$build" --target vsdoc bench_wholetext >/dev/null
json=$("$build/bench/bench_wholetext" --benchmark_format=json --benchmark_repetitions=5 2>/dev/null)
PYTHONPATH="$(dirname "$0")" python3 - "$build/tools/vsdoc" "$dir" "$json" <<'PY'
import glob, os, sys, tempfile
from timing import Report, in_page_cache, removing, side_by_side
vsdoc, corpus, report = sys.argv[1], sys.argv[2], Report(sys.argv[3])
base = os.path.join(tempfile.mkdtemp(), "sdk.qmx")
for name, pattern, scan in [("headers", "headers/*.h", "BM_IndexScanOfTheHeaders"),
                            ("interfaces", "interfaces/*.xml", "BM_IndexScanOfTheInterfaces")]:
    files = sorted(glob.glob(os.path.join(corpus, pattern)))
    size = sum(os.path.getsize(f) for f in files)
    in_page_cache(files)
    add_ms, wc_ms = side_by_side([vsdoc, "base", "add", base] + files, ["wc", "-l"] + files, 21, removing(base))
    scan_ms = report.median(scan)
    print("%s: %d files, %.1f MB" % (name, len(files), size / 1e6))
    print("  wc -l:            %.2f ms (median of 21, process start included)" % wc_ms)
    print("  index scan:       %.2f ms (median of 5), ratio %.2f (limit 2)" % (scan_ms, scan_ms / wc_ms))
    print("  vsdoc base add:   %.2f ms (median of 21, saving included), ratio %.2f" % (add_ms, add_ms / wc_ms))
print("1.5 MB header, 5,000 structures: opened and shown %.2f ms (limit 30), another entry %.1f us (limit 2 ms)"
      % (report.median("BM_OpenA5000StructHeader"), report.median("BM_ChooseAnotherStructure")))
print("1.5 MB interface, 7,000 methods: opened and shown %.2f ms (limit 30), another entry %.1f us (limit 2 ms)"
      % (report.median("BM_OpenA7000MethodInterface"), report.median("BM_ChooseAnotherMethod")))
PY
