#!/usr/bin/env bash
# Runs every fuzz target of a fuzzing build for a while, starting from the
# seeds in fuzz/corpus/<target>, as many at once as there are cores (each
# target runs on one). Fails when any target finds a fault.
# Usage: scripts/fuzz.sh BUILD_DIR SECONDS
set -euo pipefail
build=$1 seconds=$2
root=$(cd "$(dirname "$0")/.." && pwd)

# One target; what it says is printed whole once it ends, so that targets
# running side by side do not mix their lines.
fuzz_one() {
  local target=$1 name work out rc=0
  name=$(basename "$target")
  work=$(mktemp -d)
  cp -r "$root/fuzz/corpus/$name/." "$work/" 2>/dev/null || true
  out=$("$target" -max_total_time="$seconds" -max_len=65536 -timeout=10 -rss_limit_mb=2048 "$work" 2>&1) || rc=$?
  rm -rf "$work"
  printf -- '-- %s (%ss)\n%s\n' "$name" "$seconds" "$(tail -n 2 <<<"$out")"
  if [ "$rc" -ne 0 ]; then
    printf '%s\n' "$out" | tail -n 40
    return 1
  fi
}
export -f fuzz_one
export seconds root

find "$build/fuzz" -maxdepth 1 -name 'fuzz_*' -type f -perm -u+x -print0 | sort -z |
  xargs -0 -r -n 1 -P "$(nproc)" bash -c 'fuzz_one "$1"' _
