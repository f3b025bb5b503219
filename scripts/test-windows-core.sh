#!/usr/bin/env bash
# Cross-builds the Qt-free core and its GoogleTest programs for 64-bit Windows
# with MinGW-w64 into build-win/ (or $CORVANE_WIN_BUILD_DIR) and runs the tests
# under Wine. Installs what is missing (apt-get as root, or through sudo).
# Exits non-zero on any failure.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVANE_WIN_BUILD_DIR:-$here/build-win}

install_missing() {
    local packages=(cmake ninja-build g++-mingw-w64-x86-64-posix googletest wine wine64)
    local missing=() p
    for p in "${packages[@]}"; do
        if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
            missing+=("$p")
        fi
    done
    [ ${#missing[@]} -eq 0 ] && return 0

    echo "Installing: ${missing[*]}" >&2
    local as_root=()
    if [ "$(id -u)" -ne 0 ]; then
        command -v sudo >/dev/null || { echo "Need root (or sudo) to install: ${missing[*]}" >&2; exit 1; }
        as_root=(sudo)
    fi
    export DEBIAN_FRONTEND=noninteractive
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

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

install_missing
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_WERROR=ON \
    -DCORVANE_CORE_ONLY=ON -DCMAKE_TOOLCHAIN_FILE="$here/cmake/mingw-w64-x86_64.cmake" >/dev/null
cmake --build "$build" -j2
prepare_wine_prefix
cd "$build"
ctest --no-tests=error --output-on-failure -j2 --timeout 600
