#!/usr/bin/env bash
# Cross-builds the Qt-free core and its GoogleTest programs for 64-bit Windows
# with MinGW-w64 into build-win/ (or $CORVANE_WIN_BUILD_DIR) and runs the tests
# under Wine. CORVANE_CORE_ONLY leaves out Qt and the spreadsheet writers of
# src/sheets (they need libxlsxwriter). Installs what is missing (apt-get as
# root, or through sudo). Exits non-zero on any failure.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVANE_WIN_BUILD_DIR:-$here/build-win}

# The first start of Wine in a new prefix sets the prefix up, which takes longer
# than a test may: it is done here once, before any test runs.
prepare_wine_prefix() {
    local prefix=$build/wine-prefix
    [ -f "$prefix/system.reg" ] && return 0
    echo "Setting up the Wine prefix $prefix" >&2
    mkdir -p "$prefix"
    WINEPREFIX=$prefix WINEDEBUG=-all wineboot -i >/dev/null 2>&1 </dev/null
    WINEPREFIX=$prefix wineserver -w # until the prefix is written out
}

"$here/scripts/install-deps.sh" cmake ninja-build g++-mingw-w64-x86-64-posix googletest wine wine64
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_WERROR=ON \
    -DCORVANE_CORE_ONLY=ON -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j2
prepare_wine_prefix
cd "$build"
ctest --no-tests=error --output-on-failure -j2 --timeout 600
