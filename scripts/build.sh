#!/usr/bin/env bash
# Configures and builds into build/ (or $CORVANE_BUILD_DIR) with warnings as errors.
# Builds everything, or only what the arguments name (e.g. --target corvane).
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVANE_BUILD_DIR:-$here/build}
"$here/scripts/install-deps.sh"
cmake -S "$here" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_WERROR=ON >/dev/null
cmake --build "$build" -j2 "$@"
