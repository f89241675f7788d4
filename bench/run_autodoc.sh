#!/usr/bin/env bash
# The autodoc figures: the entry scan of the 20 MB synthetic SDK beside
# `wc -l` on the same files (one run, medians), building a base of those
# files in-process and with `vsdoc base add`, showing the longest entry, and
# opening a 10,000-entry autodoc. Usage: bench/run_autodoc.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
dir=${VS_BENCH_ADOCS:-/tmp/vellumscanner-bench-adocs}
export VS_BENCH_ADOCS=$dir

json=$("$build/bench/bench_autodoc" --benchmark_format=json --benchmark_repetitions=5 2>/dev/null)
read -r scan_ms build_ms show_us open_ms files < <(echo "$json" | PYTHONPATH="$(dirname "$0")" python3 -c '
import sys
from timing import Report
report = Report(sys.stdin.read())
median = lambda prefix: round(report.median(prefix), 3)
files = int(report.counter("BM_EntryScan", "files"))
print(median("BM_EntryScan"), median("BM_BuildABase"), median("BM_ShowTheLongest"), median("BM_OpenA10000"), files)')

files_list=$(ls "$dir"/lib*.doc)
cat $files_list > /dev/null
wc_ms=$(PYTHONPATH="$(dirname "$0")" python3 - $files_list <<'PY'
import sys
from timing import median, timed
print(round(median([timed(["wc", "-l"] + sys.argv[1:]) for _ in range(31)]), 2))
PY
)
# `vsdoc base add` of every file into a new base, process start and saving
# included, as a user would build it.
base=$(mktemp -d)
add_ms=$(PYTHONPATH="$(dirname "$0")" python3 - "$build/tools/vsdoc" "$base/sdk.qmx" $files_list <<'PY'
import sys
from timing import median, removing, timed
vsdoc, target, files = sys.argv[1], sys.argv[2], sys.argv[3:]
print(round(median([timed([vsdoc, "base", "add", target] + files, removing(target)) for _ in range(31)]), 2))
PY
)
rm -rf "$base"
bytes=$(cat $files_list | wc -c)
echo "corpus: $dir ($files autodocs, $bytes bytes)"
echo "wc -l:             ${wc_ms} ms (median of 31 runs, process start included)"
echo "entry scan:        ${scan_ms} ms (median of 5 repetitions)"
echo "ratio scan / wc:   $(python3 -c "print(round($scan_ms / $wc_ms, 2))") (limit 2)"
echo "base built:        ${build_ms} ms (median of 5 repetitions)"
echo "ratio build / scan: $(python3 -c "print(round($build_ms / $scan_ms, 2))") (limit 1.5)"
echo "vsdoc base add:    ${add_ms} ms (median of 31 runs, process start and saving included)"
echo "ratio add / scan:  $(python3 -c "print(round($add_ms / $scan_ms, 2))") (limit 1.5)"
echo "longest entry:     ${show_us} us (limit 5 ms)"
echo "10,000 entries:    ${open_ms} ms to scan and list (limit 50 ms)"
