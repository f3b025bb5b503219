#!/usr/bin/env bash
# Measures the program beside its floor and its baseline in one run:
#
#   floor     `corvane --help`: the program started, Qt loaded, nothing read
#   baseline  `mawk -F, '{n += NF}'`: the plainest reading of the same file,
#             every line split at its commas
#   export    `corvane export` of the largest legal divided file as text
#
# The three run in turn, round after round, so all see the same machine; the
# medians are compared. Then the peak resident memory of the text export above
# the floor's (on the largest file and on the 46-station sample), the PDF
# export's pages a second, one viewer page redraw and resident memory over
# 100 Preview runs (the last two from the benchmark programs, when built).
#
#   bench/compare.sh [BUILD_DIR] [ROUNDS]
#
# BUILD_DIR defaults to build-bench beside this folder (configure it with
# -DCMAKE_BUILD_TYPE=Release); ROUNDS defaults to 11, the fewest it takes.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build-bench}" && pwd)
rounds=${2:-11}
((rounds >= 11)) || rounds=11

corvane=$build/src/app/corvane
largest=$build/bench/data/largest-divided.csv
sample=$here/../samples/undivided-sample.csv
# The books go to a folder in memory where there is one: the figures are the
# program's, not the disk's (the export syncs its file before renaming it).
work=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT

if [[ ! -x $corvane ]]; then
    echo "no program at $corvane: build it first" >&2
    exit 1
fi
if ! command -v mawk >/dev/null; then
    echo "mawk, the baseline, is missing: scripts/install-deps.sh installs it" >&2
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

# Peak resident memory of one command in kB (GNU time).
peak_kb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }

# The book goes to a scratch file rather than /dev/null: the export replaces its
# output file atomically (write a temporary file, then rename), and a rename
# over a device node would replace the device itself.
run_floor() { "$corvane" --help; }
run_baseline() { mawk -F, '{n += NF} END {print n}' "$largest"; }
run_export() { "$corvane" export "${1:-$largest}" -o "$work/book.${2:-txt}" "${export_args[@]}"; }

# Warm the file cache and check that every command works before timing it.
run_floor >/dev/null
run_baseline >/dev/null
run_export
pages=$(grep -c $'^\f$' "$work/book.txt" || true)

for ((i = 0; i < rounds; i++)); do
    seconds_of run_floor >>"$work/floor.times"
    seconds_of run_baseline >>"$work/baseline.times"
    seconds_of run_export >>"$work/export.times"
    peak_kb "$corvane" --help >>"$work/floor.kb"
    peak_kb "$corvane" export "$largest" -o "$work/book.txt" "${export_args[@]}" >>"$work/largest.kb"
    peak_kb "$corvane" export "$sample" -o "$work/sample.txt" "${export_args[@]}" >>"$work/sample.kb"
done
for ((i = 0; i < 5; i++)); do
    seconds_of run_export "$largest" pdf >>"$work/pdf.times"
done

floor_median=$(median <"$work/floor.times")
baseline_median=$(median <"$work/baseline.times")
export_median=$(median <"$work/export.times")
pdf_median=$(median <"$work/pdf.times")
floor_kb=$(median <"$work/floor.kb")
largest_kb=$(median <"$work/largest.kb")
sample_kb=$(median <"$work/sample.kb")

# A counter of a benchmark program's JSON report, or nothing when it is not built.
bench_value() {
    local program=$build/bench/$1 filter=$2 key=$3
    [[ -x $program ]] || return 0
    "$program" --benchmark_filter="$filter" --benchmark_format=json 2>/dev/null |
        awk -v key="\"$key\":" '$1 == key { gsub(/,/, "", $2); print $2; exit }'
}
redraw_ms=$(bench_value render_bench 'BM_ViewerRedrawPage/divided' real_time)
growth_mb=$(bench_value memory_bench 'BM_Hundred' rss_growth_settled_to_last_MB)
settled_mb=$(bench_value memory_bench 'BM_Hundred' rss_settled_MB)
soak_spread_mb=$(bench_value memory_bench 'BM_Soak' rss_spread_after_settled_MB)
soak_settled_mb=$(bench_value memory_bench 'BM_Soak' rss_settled_MB)

awk -v file="$largest" -v size="$(stat -c %s "$largest")" -v rounds="$rounds" -v pages="$pages" \
    -v fm="$floor_median" -v bm="$baseline_median" -v em="$export_median" -v pm="$pdf_median" \
    -v fkb="$floor_kb" -v lkb="$largest_kb" -v skb="$sample_kb" \
    -v redraw="$redraw_ms" -v growth="$growth_mb" -v settled="$settled_mb" \
    -v soak="$soak_spread_mb" -v soaksettled="$soak_settled_mb" 'BEGIN {
    verdict["1"] = "met"; verdict["0"] = "MISSED"
    printf "file                          %s (%.1f MB, %d pages)\n", file, size / 1e6, pages
    printf "rounds, alternating           %d\n", rounds
    printf "floor: corvane --help         %6.1f ms  %6.1f MB peak\n", fm * 1000, fkb / 1024
    printf "baseline: mawk                %6.1f ms\n", bm * 1000
    printf "text export                   %6.1f ms  = %.2f x mawk  (target <= 1.00: %s)\n", em * 1000, em / bm, verdict[(em <= bm) + 0]
    printf "peak RSS above floor, largest %6.1f MB  (target <= 25: %s)\n", (lkb - fkb) / 1024, verdict[((lkb - fkb) / 1024 <= 25) + 0]
    printf "peak RSS above floor, sample  %6.1f MB  (target <= 2: %s)\n", (skb - fkb) / 1024, verdict[((skb - fkb) / 1024 <= 2) + 0]
    printf "PDF export                    %6.0f pages/s (%.0f ms; target >= 1000: %s)\n", pages / pm, pm * 1000, verdict[(pages / pm >= 1000) + 0]
    if (redraw != "")
        printf "viewer page redraw            %6.2f ms  (target < 2: %s)\n", redraw, verdict[(redraw < 2) + 0]
    if (growth != "")
        printf "100 Preview runs: resident    %6.1f MB after run 10, %+.1f MB by run 100 (target within 5: %s)\n", settled, growth, verdict[(growth <= 5 && growth >= -5) + 0]
    if (soak != "")
        printf "200 Preview runs, files mixed %6.1f MB after run 10, spread %.1f MB among runs alike (target within 5: %s)\n", soaksettled, soak, verdict[(soak <= 5) + 0]
}'
