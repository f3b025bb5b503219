#!/usr/bin/env bash
# Runs a Windows program under Wine: the emulator of the MinGW-w64 cross build.
#
#   wine-run.sh PREFIX PROGRAM.exe [ARGUMENTS...]
#
# PREFIX is the Wine prefix (created on first use; scripts/test-windows-core.sh
# creates it beforehand). Wine's own diagnostics are off unless WINEDEBUG says
# otherwise. A Windows program ends its lines with CR LF; the GoogleTest
# discovery reads test names line by line and would keep the CR in each name,
# so standard output reaches the caller with LF line ends. The program's exit
# status is kept.
set -euo pipefail
[ $# -ge 2 ] || {
    echo "usage: $0 PREFIX PROGRAM.exe [ARGUMENTS...]" >&2
    exit 2
}
export WINEPREFIX=$1
shift
export WINEDEBUG=${WINEDEBUG:--all}
wine=$(command -v wine64 || command -v wine) || {
    echo "wine-run: neither wine64 nor wine is installed (package wine64)" >&2
    exit 127
}
"$wine" "$@" | tr -d '\r'
