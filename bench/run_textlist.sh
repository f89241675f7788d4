#!/usr/bin/env bash
# Times `wc -l` and the viewer's filling of its text list on the same 50 MB
# file, side by side in one run, and prints the ratio of the medians.
# Usage: bench/run_textlist.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
file=${VS_BENCH_TEXT:-/tmp/vellumscanner-bench-50mb.txt}
export VS_BENCH_TEXT=$file

json=$("$build/bench/bench_textlist" --benchmark_format=json --benchmark_repetitions=5 2>/dev/null)
read -r fill_ms model lines < <(echo "$json" | python3 -c '
import json, sys
runs = [b for b in json.load(sys.stdin)["benchmarks"] if b.get("run_type") == "iteration"]
times = sorted(b["real_time"] for b in runs)
print(round(times[len(times) // 2], 2), round(runs[0]["model_per_file"], 3), int(runs[0]["lines"]))')

cat "$file" > /dev/null   # both read from the page cache
wc_ms=$(python3 - "$file" <<'PY'
import subprocess, sys, time
times = []
for _ in range(31):
    t = time.perf_counter()
    subprocess.run(["wc", "-l", sys.argv[1]], stdout=subprocess.DEVNULL, check=True)
    times.append((time.perf_counter() - t) * 1000)
print(round(sorted(times)[len(times) // 2], 2))
PY
)
ratio=$(python3 -c "print(round($fill_ms / $wc_ms, 2))")
echo "file: $file ($(stat -c %s "$file") bytes, $lines lines)"
echo "wc -l:              ${wc_ms} ms (median of 31 runs, process start included)"
echo "fill the text list: ${fill_ms} ms (median of 5 repetitions)"
echo "ratio fill / wc -l: ${ratio} (limit 3)"
echo "model bytes / file bytes: ${model} (limit 2)"
