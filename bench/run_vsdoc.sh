#!/usr/bin/env bash
# vsdoc as a user runs it, beside wc -l on the same files, in one run:
# `vsdoc index` of one autodoc of 25,000 entries (22.5 MB), and
# `vsdoc base add` of the synthetic SDK into a new base. Medians of 41 runs
# each, process start included, the two commands alternating.
# Usage: bench/run_vsdoc.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
dir=${VS_BENCH_ADOCS:-/tmp/vellumscanner-bench-adocs}
cmake --build "$build" --target vsdoc bench_make_corpus >/dev/null
big=$("$build/bench/bench_make_corpus" "$dir")
PYTHONPATH="$(dirname "$0")" python3 - "$build/tools/vsdoc" "$big" "$dir" <<'PY'
import glob, os, sys, tempfile
from timing import in_page_cache, removing, side_by_side
vsdoc, big, corpus = sys.argv[1], sys.argv[2], sys.argv[3]
sdk = sorted(glob.glob(os.path.join(corpus, "lib*.doc")))
base = os.path.join(tempfile.mkdtemp(), "sdk.qmx")
in_page_cache([big] + sdk)   # as a user's SDK is after the first look
index, wc1 = side_by_side([vsdoc, "index", big], ["wc", "-l", big], 41)
add, wc2 = side_by_side([vsdoc, "base", "add", base] + sdk, ["wc", "-l"] + sdk, 41, removing(base))
size = os.path.getsize(big)
print("vsdoc index, %d bytes: %.2f ms, wc -l %.2f ms, ratio %.2f (limit 2)" % (size, index, wc1, index / wc1))
print("vsdoc base add, %d files: %.2f ms, wc -l %.2f ms, ratio %.2f (limit 1.5)" % (len(sdk), add, wc2, add / wc2))
PY
