#!/usr/bin/env bash
# The document base figures: a synthetic base of 1,000 documents and 100,000
# entries read as bytes, its records walked, loaded, saved and searched
# (medians of 5 repetitions), with the memory its records take.
# Usage: bench/run_base.sh [BUILD_DIR]
set -euo pipefail
build=${1:-build}
"$build/bench/bench_base" --benchmark_format=json --benchmark_repetitions=5 2>/dev/null | \
  PYTHONPATH="$(dirname "$0")" python3 -c '
import sys
from timing import Report
report = Report(sys.stdin.read())
median, counter = report.median, report.counter
read, load = median("BM_ReadTheBase"), median("BM_LoadTheBase")
walk = median("BM_WalkTheBaseRecords")
print("entries:            %d" % counter("BM_LoadTheBase", "entries"))
print("read its bytes:     %.3f ms" % read)
print("walk its records:   %.3f ms in memory; read and walk: %.1f times reading" % (walk, (read + walk) / read))
print("load:               %.2f ms (limit 100 ms), %.1f times reading its bytes (limit 3)" % (load, load / read))
print("save:               %.2f ms (limit 100 ms)" % median("BM_SaveTheBase"))
print("lookup, last doc:   %.3f ms (limit 5 ms)" % median("BM_LinkLookup"))
print("records per entry:  %.1f bytes beyond the names (limit 100)" % counter("BM_LoadTheBase", "record_bytes_per_entry"))
'
