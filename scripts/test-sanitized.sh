#!/usr/bin/env bash
# Builds everything with AddressSanitizer and UndefinedBehaviorSanitizer into
# build-asan/ (or $CORVANE_ASAN_BUILD_DIR) and runs every test through CTest;
# the options the sanitizers run with are set by tests/CMakeLists.txt.
# Exits non-zero on any failure, a sanitizer report included.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVANE_ASAN_BUILD_DIR:-$here/build-asan}
"$here/scripts/install-deps.sh"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_SANITIZE=ON \
    -DCORVANE_BUILD_BENCH=OFF -DCORVANE_WERROR=ON >/dev/null
cmake --build "$build" -j2
cd "$build"
ctest --no-tests=error --output-on-failure -j2 --timeout 900
