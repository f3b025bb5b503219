#!/usr/bin/env bash
# Times the whole text export of the largest divided file against the plainest
# possible reading of the same file (awk splitting every line at its commas),
# alternating the two so that both see the same machine, and prints the median
# ratio. Then the export's peak resident memory (GNU time) and the PDF export's
# pages a second.
#
#   bench/compare.sh [BUILD_DIR] [RUNS]
#
# BUILD_DIR defaults to build-bench beside this folder (configure it with
# -DCMAKE_BUILD_TYPE=Release); RUNS defaults to 11 pairs.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build-bench}" && pwd)
runs=${2:-11}

corvane=$build/src/app/corvane
largest=$build/bench/data/largest-divided.csv
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

if [[ ! -x $corvane ]]; then
    echo "no program at $corvane: build it first" >&2
    exit 1
fi
if [[ ! -f $largest ]]; then
    cmake --build "$build" --target bench_data >/dev/null
fi

# The options a person would give; the header date is fixed so runs are alike.
export_args=(--project 0512-I4 --control 79001 --date 2026-06-01)
export QT_QPA_PLATFORM=offscreen

# Wall time of one command in seconds, from bash's own microsecond clock (no fork).
seconds_of() {
    local start=$EPOCHREALTIME
    "$@" >/dev/null
    local end=$EPOCHREALTIME
    awk -v s="$start" -v e="$end" 'BEGIN { printf "%.6f\n", e - s }'
}

median() {
    sort -g | awk '{ v[NR] = $1 } END { m = int((NR + 1) / 2); if (NR % 2) print v[m]; else printf "%.6f\n", (v[m] + v[m + 1]) / 2 }'
}

# The book goes to a scratch file rather than /dev/null: the export replaces its
# output file atomically (write a temporary file, then rename), and a rename
# over a device node would replace the device itself.
run_export() { "$corvane" export "$largest" -o "$work/book.txt" "${export_args[@]}"; }
run_baseline() { awk -F, '{n += NF} END {print n}' "$largest"; }

# Warm the file cache and check that both commands work before timing them.
run_export
run_baseline >/dev/null
pages=$(grep -c $'^\f$' "$work/book.txt" || true)

: >"$work/export.times"
: >"$work/baseline.times"
: >"$work/ratios"
for ((i = 0; i < runs; i++)); do
    e=$(seconds_of run_export)
    b=$(seconds_of run_baseline)
    echo "$e" >>"$work/export.times"
    echo "$b" >>"$work/baseline.times"
    awk -v e="$e" -v b="$b" 'BEGIN { printf "%.4f\n", e / b }' >>"$work/ratios"
done

export_median=$(median <"$work/export.times")
baseline_median=$(median <"$work/baseline.times")
ratio_median=$(median <"$work/ratios")

peak_kb=$(/usr/bin/time -v "$corvane" export "$largest" -o "$work/book.txt" "${export_args[@]}" \
    2>&1 >/dev/null | awk -F: '/Maximum resident set size/ { gsub(/ /, "", $2); print $2 }')

# PDF: the same book, timed three times; the median gives pages a second.
: >"$work/pdf.times"
for ((i = 0; i < 3; i++)); do
    seconds_of "$corvane" export "$largest" -o "$work/book.pdf" "${export_args[@]}" >>"$work/pdf.times"
done
pdf_median=$(median <"$work/pdf.times")
pdf_peak_kb=$(/usr/bin/time -v "$corvane" export "$largest" -o "$work/book.pdf" "${export_args[@]}" \
    2>&1 >/dev/null | awk -F: '/Maximum resident set size/ { gsub(/ /, "", $2); print $2 }')

awk -v file="$largest" -v size="$(stat -c %s "$largest")" -v runs="$runs" -v pages="$pages" \
    -v em="$export_median" -v bm="$baseline_median" -v rm="$ratio_median" -v peak="$peak_kb" \
    -v pm="$pdf_median" -v pdfpeak="$pdf_peak_kb" 'BEGIN {
    printf "file                      %s (%.1f MB)\n", file, size / 1e6
    printf "pairs timed               %d, alternating\n", runs
    printf "text export, median       %.1f ms (%d pages)\n", em * 1000, pages
    printf "awk baseline, median      %.1f ms\n", bm * 1000
    printf "median ratio export/awk   %.2f  (target <= 1.00: %s)\n", rm, (rm <= 1) ? "met" : "MISSED"
    printf "text export under 100 ms  %s\n", (em < 0.1) ? "met" : "MISSED"
    printf "peak RSS, text export     %.1f MB  (target < 100 MB: %s)\n", peak * 1.024 / 1000, (peak * 1024 < 100e6) ? "met" : "MISSED"
    printf "PDF export, median        %.0f ms, %.0f pages/s  (target >= 200: %s)\n", pm * 1000, pages / pm, (pages / pm >= 200) ? "met" : "MISSED"
    printf "peak RSS, PDF export      %.1f MB\n", pdfpeak * 1.024 / 1000
}'
