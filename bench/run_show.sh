#!/usr/bin/env bash
# `vsdoc show` of a 50 MB plain text into a pipe, beside `cat` of the same
# file into the same pipe, alternating, medians of 21 runs each (process
# start included). Usage: bench/run_show.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
dir=${VS_BENCH_TEXT:-/tmp/vellumscanner-bench-text}
cmake --build "$build" --target vsdoc >/dev/null
mkdir -p "$dir"
text=$dir/big50.txt
if [ ! -s "$text" ]; then
  python3 - "$text" <<'PY'
import random, sys
r = random.Random(50)
words = "the a memory block of is returned to system when this function must be called with pointer".split()
with open(sys.argv[1], "w") as f:
    size = 0
    while size < 50 * 1000 * 1000:
        line = " ".join(r.choice(words) for _ in range(r.randrange(0, 16))) + "\n"
        f.write(line)
        size += len(line)
PY
fi
python3 - "$build/tools/vsdoc" "$text" <<'PY'
import os, subprocess, sys, time
vsdoc, text = sys.argv[1], sys.argv[2]
def timed(command):
    t = time.perf_counter()
    subprocess.run(["sh", "-c", command], check=True)
    return (time.perf_counter() - t) * 1000
open(text, "rb").read()   # in the page cache
ours, cat = [], []
for _ in range(21):
    ours.append(timed('"%s" show "%s" | cat >/dev/null' % (vsdoc, text)))
    cat.append(timed('cat "%s" | cat >/dev/null' % text))
m = lambda xs: sorted(xs)[len(xs) // 2]
print("vsdoc show, %d bytes, into a pipe: %.2f ms; cat: %.2f ms; ratio %.2f (limit 3)"
      % (os.path.getsize(text), m(ours), m(cat), m(ours) / m(cat)))
PY
