#!/usr/bin/env bash
# vsdoc as a user runs it, beside one `wc -l` process over the same files, in
# one run: `vsdoc index` of one autodoc of 25,000 entries (22.5 MB), and
# `vsdoc base add` of the synthetic SDK into a new base and `vsdoc base
# rescan` of that base (the files scanned on every core). Medians of 41 runs
# each, process start included, the two commands alternating.
# Usage: bench/run_vsdoc.sh [BUILD_DIR [FOLDER]]; a FOLDER's documents
# (*.doc, *.h, *.xml, *.guide below it) are added and rescanned as well.
set -euo pipefail
build=${1:-build}
folder=${2:-}
dir=${VS_BENCH_ADOCS:-/tmp/vellumscanner-bench-adocs}
cmake --build "$build" --target vsdoc bench_make_corpus >/dev/null
big=$("$build/bench/bench_make_corpus" "$dir")
PYTHONPATH="$(dirname "$0")" python3 - "$build/tools/vsdoc" "$big" "$dir" "$folder" <<'PY'
import glob, os, sys, tempfile
from timing import in_page_cache, removing, side_by_side, timed
vsdoc, big, corpus, folder = sys.argv[1:5]
base = os.path.join(tempfile.mkdtemp(), "sdk.qmx")


def add_and_rescan(name, files):
    in_page_cache(files)   # as a user's SDK is after the first look
    add, wc = side_by_side([vsdoc, "base", "add", base] + files, ["wc", "-l"] + files, 41, removing(base))
    print("vsdoc base add, %s, %d files: %.2f ms, wc -l %.2f ms, ratio %.2f (limit 1.0)" % (name, len(files), add, wc, add / wc))
    timed([vsdoc, "base", "add", base] + files, removing(base))
    rescan, wc = side_by_side([vsdoc, "base", "rescan", base], ["wc", "-l"] + files, 41)
    print("vsdoc base rescan, %s: %.2f ms, wc -l %.2f ms, ratio %.2f (limit 1.0)" % (name, rescan, wc, rescan / wc))


in_page_cache([big])
index, wc = side_by_side([vsdoc, "index", big], ["wc", "-l", big], 41)
print("vsdoc index, %d bytes: %.2f ms, wc -l %.2f ms, ratio %.2f (limit 2.5)" % (os.path.getsize(big), index, wc, index / wc))
add_and_rescan("synthetic SDK", sorted(glob.glob(os.path.join(corpus, "lib*.doc"))))
if folder:
    found = [os.path.join(d, f) for d, _, names in os.walk(folder) for f in names
             if f.endswith((".doc", ".h", ".xml", ".guide"))]
    add_and_rescan(folder, sorted(found))
PY
