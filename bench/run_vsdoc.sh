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
python3 - "$build/tools/vsdoc" "$big" "$dir" <<'PY'
import glob, os, subprocess, sys, tempfile, time
vsdoc, big, corpus = sys.argv[1], sys.argv[2], sys.argv[3]
sdk = sorted(glob.glob(os.path.join(corpus, "lib*.doc")))
base = os.path.join(tempfile.mkdtemp(), "sdk.qmx")

def timed(cmd, before=None):
    if before:
        before()
    t = time.perf_counter()
    subprocess.run(cmd, stdout=subprocess.DEVNULL, check=True)
    return (time.perf_counter() - t) * 1000

def drop_base():
    if os.path.exists(base):
        os.unlink(base)

def median(xs):
    return sorted(xs)[len(xs) // 2]

def side_by_side(ours, ours_before, peer):
    a, b = [], []
    for _ in range(41):
        a.append(timed(ours, ours_before))
        b.append(timed(peer))
    return median(a), median(b)

for path in [big] + sdk:   # in the page cache, as a user's SDK is after the first look
    open(path, "rb").read()
index, wc1 = side_by_side([vsdoc, "index", big], None, ["wc", "-l", big])
add, wc2 = side_by_side([vsdoc, "base", "add", base] + sdk, drop_base, ["wc", "-l"] + sdk)
size = os.path.getsize(big)
print("vsdoc index, %d bytes: %.2f ms, wc -l %.2f ms, ratio %.2f (limit 2)" % (size, index, wc1, index / wc1))
print("vsdoc base add, %d files: %.2f ms, wc -l %.2f ms, ratio %.2f (limit 1.5)" % (len(sdk), add, wc2, add / wc2))
PY
