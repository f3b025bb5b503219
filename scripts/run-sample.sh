#!/usr/bin/env bash
# The main job on the bundled samples: installs what is missing, builds the
# program (only the program: scripts/test.sh builds the tests), writes each
# sample's grade book as PDF and as text and its grades as CSV into out/,
# and, when a display is present, opens the main window with the undivided
# sample chosen.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
build=${CORVANE_BUILD_DIR:-$here/build}
"$here/scripts/build.sh" --target corvane
corvane="$build/src/app/corvane"
out="$here/out"
mkdir -p "$out"

for sample in "$here"/samples/*.csv; do
    name=$(basename "$sample" .csv)
    "$corvane" export "$sample" -o "$out/$name.pdf" --project "SAMPLE" --control "0000-00"
    "$corvane" export "$sample" -o "$out/$name.txt" --project "SAMPLE" --control "0000-00"
    "$corvane" export "$sample" -o "$out/$name-grades.csv" --project "SAMPLE" --control "0000-00"
    echo "Wrote $out/$name.pdf, $out/$name.txt and $out/$name-grades.csv"
done

if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] && [ -z "${CORVANE_NO_WINDOW:-}" ]; then
    echo "Opening the main window with samples/undivided-sample.csv chosen"
    exec "$corvane" "$here/samples/undivided-sample.csv"
elif [ -z "${CORVANE_NO_WINDOW:-}" ]; then
    echo "No display (neither DISPLAY nor WAYLAND_DISPLAY is set): the main window is not opened"
fi
