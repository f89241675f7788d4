#!/usr/bin/env bash
# Formats the C++ sources git tracks with the style in .clang-format. Sample
# documents, test data and fuzzing seeds are documents, not code, and the
# logo's pixel table is generated: they are left as they are.
set -euo pipefail
cd "$(dirname "$0")/.."
git ls-files '*.cpp' '*.h' '*.inc' |
  grep -v -e '^tests/data/' -e '^samples/' -e '^fuzz/corpus/' -e 'logo_pixels.inc$' |
  xargs clang-format -i
