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
python3 - "$build/tools/vsdoc" "$dir" "$json" <<'PY'
import glob, json, os, subprocess, sys, tempfile, time
vsdoc, corpus, report = sys.argv[1], sys.argv[2], json.loads(sys.argv[3])
runs = [b for b in report["benchmarks"] if b.get("run_type") == "iteration"]

def bench(prefix):
    t = sorted(b["real_time"] for b in runs if b["name"].startswith(prefix))
    return t[len(t) // 2]

def timed(cmd, before=None):
    if before:
        before()
    t = time.perf_counter()
    subprocess.run(cmd, stdout=subprocess.DEVNULL, check=True)
    return (time.perf_counter() - t) * 1000

def median(xs):
    return sorted(xs)[len(xs) // 2]

base = os.path.join(tempfile.mkdtemp(), "sdk.qmx")
def drop_base():
    if os.path.exists(base):
        os.unlink(base)

for name, pattern, scan in [("headers", "headers/*.h", "BM_IndexScanOfTheHeaders"),
                            ("interfaces", "interfaces/*.xml", "BM_IndexScanOfTheInterfaces")]:
    files = sorted(glob.glob(os.path.join(corpus, pattern)))
    size = sum(os.path.getsize(f) for f in files)
    for f in files:   # in the page cache, as a user's SDK is after the first look
        open(f, "rb").read()
    wc, add, wc2 = [], [], []
    for _ in range(21):
        wc.append(timed(["wc", "-l"] + files))
        add.append(timed([vsdoc, "base", "add", base] + files, drop_base))
    scan_ms, wc_ms, add_ms = bench(scan), median(wc), median(add)
    print("%s: %d files, %.1f MB" % (name, len(files), size / 1e6))
    print("  wc -l:            %.2f ms (median of 21, process start included)" % wc_ms)
    print("  index scan:       %.2f ms (median of 5), ratio %.2f (limit 2)" % (scan_ms, scan_ms / wc_ms))
    print("  vsdoc base add:   %.2f ms (median of 21, saving included), ratio %.2f" % (add_ms, add_ms / wc_ms))
print("1.5 MB header, 5,000 structures: opened and shown %.2f ms (limit 30), another entry %.1f us (limit 2 ms)"
      % (bench("BM_OpenA5000StructHeader"), bench("BM_ChooseAnotherStructure")))
print("1.5 MB interface, 7,000 methods: opened and shown %.2f ms (limit 30), another entry %.1f us (limit 2 ms)"
      % (bench("BM_OpenA7000MethodInterface"), bench("BM_ChooseAnotherMethod")))
PY
