#!/usr/bin/env bash
# Runs every fuzz target of a fuzzing build for a while, starting from the
# seeds in fuzz/corpus/<target>. Usage: scripts/fuzz.sh BUILD_DIR SECONDS
set -euo pipefail
build=$1 seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)
for target in "$build"/fuzz/fuzz_*; do
  [ -x "$target" ] || continue
  name=$(basename "$target")
  work=$(mktemp -d)
  cp -r "$root/fuzz/corpus/$name/." "$work/" 2>/dev/null || true
  echo "-- $name (${seconds}s)"
  "$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 "$work" 2>&1 | tail -n 2
  rm -rf "$work"
done
