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
start_server() {
    # Debian's Wine server ends the moment its last program does: each test would
    # start a server of its own, and one that starts while the previous server
    # shuts down loses its connection. A server that stays half a minute serves
    # the whole run; the start fails, changing nothing, where one runs already.
    wineserver -p30 >/dev/null 2>&1 9>&- || return 0
    # A new server starts Wine's own background programs with the first program
    # it runs. They would inherit that program's output and hold it open until
    # the server ends, so CTest would wait that long for the test: they start
    # here instead, with no output to hold.
    "$wine" wineboot >/dev/null 2>&1 </dev/null 9>&- || true
}

mkdir -p "$WINEPREFIX"
# One start at a time (CTest runs tests side by side); what the start leaves
# running does not keep the lock (9>&-).
(
    flock 9
    start_server
) 9>"$WINEPREFIX/.server-start.lock"
"$wine" "$@" | tr -d '\r'
