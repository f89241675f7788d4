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
PYTHONPATH="$(dirname "$0")" python3 - "$build/tools/vsdoc" "$text" <<'PY'
import os, sys
from timing import in_page_cache, side_by_side
vsdoc, text = sys.argv[1], sys.argv[2]
in_page_cache([text])
ours, cat = side_by_side('"%s" show "%s" | cat >/dev/null' % (vsdoc, text), 'cat "%s" | cat >/dev/null' % text, 21)
print("vsdoc show, %d bytes, into a pipe: %.2f ms; cat: %.2f ms; ratio %.2f (limit 3)"
      % (os.path.getsize(text), ours, cat, ours / cat))
PY
