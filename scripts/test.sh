#!/usr/bin/env bash
# Builds everything (the program, the tests, the benchmarks) and runs every
# test through CTest. Exits non-zero on any failure.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVANE_BUILD_DIR:-$here/build}
"$here/scripts/build.sh"
cd "$build"
ctest --no-tests=error --output-on-failure -j2 --timeout 600
