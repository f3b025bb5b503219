#!/usr/bin/env bash
# Measures the program beside its floor and its baseline in one run, and, when
# given, beside an earlier build of it:
#
#   floor     `corvane --help`: the program started, Qt loaded, nothing read
#   baseline  `mawk -F, '{n += NF}'`: the plainest reading of the same file,
#             every line split at its commas
#   export    `corvane export` of the largest legal divided file as text
#   work      export minus floor: what the program does after its start
#   I/O       bench/floor_probe: the reading and writing any export does, alone
#             (the file read in the reader's blocks; the book, taken from the
#             first export, written in its pieces, synced and put in place of
#             the last one), and the work beyond it beside mawk beyond the read
#
# It also prints how far this machine runs two threads at once: two pieces of
# 5 ms on two threads against one on one, how often the new thread began on
# its starter's processor, and the two when it is moved off that processor at
# once, as the program's threads are (floor_probe threads).
#
# The commands run in turn, round after round (the earlier build's floor and
# export among them), so all see the same machine; medians are compared and
# each figure is printed with its spread (lowest to highest round). Then the
# peak resident memory of the text export above the floor's (on the largest
# file and on the 46-station sample), the PDF export's pages a second, and from
# the benchmark programs, when built: a viewer page redraw (the builds in
# turn), a Preview of the largest file in the window, and resident memory over
# 100 and 200 Previews.
#
#   bench/compare.sh [BUILD_DIR] [ROUNDS] [EARLIER_BUILD_DIR]
#
# BUILD_DIR defaults to build-bench beside this folder (configure it with
# -DCMAKE_BUILD_TYPE=Release); ROUNDS defaults to 11, the fewest it takes.
set -euo pipefail

here=$(cd "$(dirname "$0")" && pwd)
build=$(cd "${1:-$here/../build-bench}" && pwd)
rounds=${2:-11}
((rounds >= 11)) || rounds=11
earlier=${3:+$(cd "$3" && pwd)}

largest=$build/bench/data/largest-divided.csv
sample=$here/../samples/undivided-sample.csv
# The books go to a folder in memory where there is one: the figures are the
# program's, not the disk's (the export syncs its file before renaming it).
work=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT

for dir in "$build" ${earlier:+"$earlier"}; do
    if [[ ! -x $dir/src/app/corvane ]]; then
        echo "no program at $dir/src/app/corvane: build it first" >&2
        exit 1
    fi
done
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

# "median lowest highest" of a column of numbers.
summary() {
    sort -g | awk '{ v[NR] = $1 } END {
        m = int((NR + 1) / 2)
        median = NR % 2 ? v[m] : (v[m] + v[m + 1]) / 2
        printf "%.6f %.6f %.6f\n", median, v[1], v[NR] }'
}

# Peak resident memory of one command in kB (GNU time).
peak_kb() { /usr/bin/time -f %M "$@" 2>&1 >/dev/null | tail -1; }

# The book goes to a scratch file rather than /dev/null: the export replaces its
# output file atomically (write a temporary file, then rename), and a rename
# over a device node would replace the device itself.
run_floor() { "$1/src/app/corvane" --help; }
run_baseline() { mawk -F, '{n += NF} END {print n}' "$largest"; }
run_export() { "$1/src/app/corvane" export "${2:-$largest}" -o "$work/book.${3:-txt}" "${export_args[@]}"; }

# One round of a build: floor, export, and the export less the floor.
time_build() {
    local dir=$1 name=$2 floor export
    floor=$(seconds_of run_floor "$dir")
    export=$(seconds_of run_export "$dir")
    echo "$floor" >>"$work/$name.floor"
    echo "$export" >>"$work/$name.export"
    awk -v e="$export" -v f="$floor" 'BEGIN { printf "%.6f\n", e - f }' >>"$work/$name.work"
    peak_kb "$dir/src/app/corvane" --help >>"$work/$name.floor.kb"
    peak_kb "$dir/src/app/corvane" export "$largest" -o "$work/book.txt" "${export_args[@]}" >>"$work/$name.largest.kb"
    peak_kb "$dir/src/app/corvane" export "$sample" -o "$work/sample.txt" "${export_args[@]}" >>"$work/$name.sample.kb"
}

# Warm the file cache and check that every command works before timing it.
builds=(this)
run_floor "$build" >/dev/null
run_baseline >/dev/null
run_export "$build"
pages=$(grep -c $'^\f$' "$work/book.txt" || true)
probe=$build/bench/floor_probe
[[ -x $probe ]] || probe=
# The I/O alone: prints the milliseconds of the read and of the write.
run_io() { "$probe" io "$largest" "$work/reference-book.txt" "$work/probe-book.txt"; }
if [[ -n $probe ]]; then
    cp "$work/book.txt" "$work/reference-book.txt"
    run_io >/dev/null
fi
if [[ -n $earlier ]]; then
    builds+=(earlier)
    run_export "$earlier"
fi
dir_of() { if [[ $1 == this ]]; then echo "$build"; else echo "$earlier"; fi; }

# One round of the I/O alone, after this build's export and mawk of the same
# round: its read and write, the work beyond them, and mawk beyond the read.
record_io() {
    local baseline=$1 read_ms write_ms
    read -r read_ms write_ms < <(run_io)
    awk -v r="$read_ms" -v w="$write_ms" -v work="$(tail -1 "$work/this.work")" -v m="$baseline" \
        'BEGIN { printf "%.6f %.6f %.6f %.6f\n", r / 1000, w / 1000, work - (r + w) / 1000, m - r / 1000 }' \
        >>"$work/io.rounds"
}

for ((i = 0; i < rounds; i++)); do
    baseline=$(seconds_of run_baseline)
    echo "$baseline" >>"$work/baseline.times"
    for name in "${builds[@]}"; do
        time_build "$(dir_of "$name")" "$name"
    done
    [[ -z $probe ]] || record_io "$baseline"
done
for ((i = 0; i < 5; i++)); do
    for name in "${builds[@]}"; do
        seconds_of run_export "$(dir_of "$name")" "$largest" pdf >>"$work/$name.pdf"
    done
done

# A counter of a benchmark program's JSON report, or nothing when it is not built.
bench_value() {
    local program=$1/bench/$2 filter=$3 key=$4
    [[ -x $program ]] || return 0
    "$program" --benchmark_filter="$filter" --benchmark_format=json 2>/dev/null |
        awk -v key="\"$key\":" '$1 == key { gsub(/,/, "", $2); print $2; exit }'
}
# The median of a benchmark that repeats itself, or is told to repeat (a fifth
# argument: how often).
bench_median() {
    local program=$1/bench/$2 filter=$3 key=$4
    [[ -x $program ]] || return 0
    "$program" --benchmark_filter="$filter" --benchmark_format=json ${5:+--benchmark_repetitions=$5} 2>/dev/null |
        awk -v key="\"$key\":" '/"aggregate_name": "median"/ { m = 1 } m && $1 == key { gsub(/,/, "", $2); print $2; exit }'
}

# A page redraw takes half a millisecond and one run of it swings by half
# again: the builds take turns, five runs of ten repetitions each.
for ((i = 0; i < 5; i++)); do
    for name in "${builds[@]}"; do
        bench_median "$(dir_of "$name")" render_bench 'BM_ViewerRedrawPage/divided' real_time 10 >>"$work/$name.redraw"
    done
done

figures() {
    local name=$1 dir
    dir=$(dir_of "$name")
    echo "floor $(summary <"$work/$name.floor")"
    echo "export $(summary <"$work/$name.export")"
    echo "work $(summary <"$work/$name.work")"
    echo "pdf $(summary <"$work/$name.pdf")"
    echo "floorkb $(summary <"$work/$name.floor.kb")"
    echo "largestkb $(summary <"$work/$name.largest.kb")"
    echo "samplekb $(summary <"$work/$name.sample.kb")"
    echo "redraw $( [[ -s $work/$name.redraw ]] && summary <"$work/$name.redraw")"
    echo "preview $(bench_median "$dir" preview_bench 'BM_PreviewLargestDivided' real_time)"
    echo "answered $(bench_median "$dir" preview_bench 'BM_PreviewLargestDivided' after_answer_ms)"
    echo "settled $(bench_value "$dir" memory_bench 'BM_Hundred' rss_settled_MB)"
    echo "growth $(bench_value "$dir" memory_bench 'BM_Hundred' rss_growth_settled_to_last_MB)"
    echo "soaksettled $(bench_value "$dir" memory_bench 'BM_Soak' rss_settled_MB)"
    echo "soak $(bench_value "$dir" memory_bench 'BM_Soak' rss_spread_after_settled_MB)"
}
for name in "${builds[@]}"; do
    figures "$name" >"$work/$name.figures"
done
echo "baseline $(summary <"$work/baseline.times")" >"$work/baseline.figures"
if [[ -n $probe ]]; then
    io_column() { awk -v c="$1" '{ print $c }' "$work/io.rounds" | summary; }
    read -r -d '' one two started same placed < <("$probe" threads) || true
    {
        echo "read $(io_column 1)"
        echo "write $(io_column 2)"
        echo "beyond $(io_column 3)"
        echo "mawkbeyond $(io_column 4)"
        echo "threadone $one"
        echo "threadtwo $two"
        echo "threadstart $started"
        echo "placedsame $same"
        echo "placedtwo $placed"
    } >"$work/io.figures"
fi

awk -v file="$largest" -v size="$(stat -c %s "$largest")" -v rounds="$rounds" -v pages="$pages" \
    -v earlier="$earlier" '
FILENAME ~ /baseline.figures$/ { base[$1] = $2; baselow[$1] = $3; basehigh[$1] = $4; next }
FILENAME ~ /this.figures$/    { now[$1] = $2; low[$1] = $3; high[$1] = $4; next }
FILENAME ~ /io.figures$/      { io[$1] = $2; iolow[$1] = $3; iohigh[$1] = $4; next }
                              { was[$1] = $2; waslow[$1] = $3; washigh[$1] = $4 }
function ms(key) { return sprintf("%6.1f ms (%.1f to %.1f)", now[key] * 1000, low[key] * 1000, high[key] * 1000) }
function before(key, scale, unit) {
    if (earlier == "" || was[key] == "") return ""
    return sprintf("   earlier build %.1f%s (%+.0f %%)", was[key] * scale, unit, (now[key] / was[key] - 1) * 100)
}
function mb_above(kb, floor) { return (kb - floor) / 1024 }
END {
    verdict[1] = "met"; verdict[0] = "MISSED"
    m = base["baseline"]
    printf "file                          %s (%.1f MB, %d pages)\n", file, size / 1e6, pages
    printf "rounds, alternating           %d%s\n", rounds, earlier == "" ? "" : " (this build and " earlier ")"
    printf "floor: corvane --help         %s  %6.1f MB peak%s\n", ms("floor"), now["floorkb"] / 1024, before("floor", 1000, " ms")
    printf "baseline: mawk                %6.1f ms (%.1f to %.1f)\n", m * 1000, baselow["baseline"] * 1000, basehigh["baseline"] * 1000
    printf "text export                   %s = %.2f x mawk%s\n", ms("export"), now["export"] / m, before("export", 1000, " ms")
    printf "work after start              %s = %.2f x mawk  (target <= 1.00: %s)%s\n", ms("work"), now["work"] / m, verdict[now["work"] <= m], before("work", 1000, " ms")
    if ("beyond" in io) {
        printf "I/O alone: read, write        %6.1f ms, %.1f ms (%.1f to %.1f): the file read in blocks; the book written, synced, put in place\n", io["read"] * 1000, io["write"] * 1000, iolow["write"] * 1000, iohigh["write"] * 1000
        printf "work beyond that I/O          %6.1f ms (%.1f to %.1f) = %.2f x mawk beyond the same read (%.1f ms)\n", io["beyond"] * 1000, iolow["beyond"] * 1000, iohigh["beyond"] * 1000, io["beyond"] / io["mawkbeyond"], io["mawkbeyond"] * 1000
        together = (2 * io["threadone"] - io["threadtwo"]) / io["threadone"]
        together = together < 0 ? 0 : together > 1 ? 1 : together
        printf "two threads, %.1f ms each      %6.1f ms (one alone %.1f ms): run at once %.0f %%; a thread began %.1f ms after it was asked for\n", io["threadone"], io["threadtwo"], io["threadone"], together * 100, io["threadstart"]
        printf "  the new one began on the processor of its starter in %d of 21 rounds; moved off it at once, the two took %.1f ms\n", io["placedsame"], io["placedtwo"]
    }
    above = mb_above(now["largestkb"], now["floorkb"])
    line = sprintf("peak RSS above floor, largest %6.1f MB (%.1f to %.1f)", above, mb_above(low["largestkb"], now["floorkb"]), mb_above(high["largestkb"], now["floorkb"]))
    if (earlier != "") {
        wasabove = mb_above(was["largestkb"], was["floorkb"])
        line = line sprintf("   earlier build %.1f MB (%+.0f %%)", wasabove, (above / wasabove - 1) * 100)
    }
    print line
    sample = mb_above(now["samplekb"], now["floorkb"])
    line = sprintf("peak RSS above floor, sample  %6.1f MB  (target <= 2: %s)", sample, verdict[sample <= 2])
    if (earlier != "") line = line sprintf("   earlier build %.1f MB", mb_above(was["samplekb"], was["floorkb"]))
    print line
    line = sprintf("PDF export                    %6.0f pages/s (%.0f ms; target >= 1000: %s)", pages / now["pdf"], now["pdf"] * 1000, verdict[pages / now["pdf"] >= 1000])
    if (earlier != "") line = line sprintf("   earlier build %.0f pages/s (%+.0f %%)", pages / was["pdf"], (was["pdf"] / now["pdf"] - 1) * 100)
    print line
    if (now["redraw"] != "")
        printf "viewer page redraw            %6.2f ms (%.2f to %.2f; target < 2: %s)%s\n", now["redraw"], low["redraw"], high["redraw"], verdict[now["redraw"] < 2], (earlier == "" || was["redraw"] == "") ? "" : sprintf("   earlier build %.2f ms (%+.0f %%)", was["redraw"], (now["redraw"] / was["redraw"] - 1) * 100)
    if (now["preview"] != "")
        printf "Preview: answer to page drawn %6.1f ms  (target <= 100: %s); from the press %.1f ms (%s 100)%s\n", now["answered"], verdict[now["answered"] <= 100], now["preview"], (now["preview"] <= 100 ? "within" : "above"), before("preview", 1, " ms from the press")
    if (now["growth"] != "")
        printf "100 Preview runs: resident    %6.1f MB after run 10, %+.1f MB by run 100 (target within 5: %s)%s\n", now["settled"], now["growth"], verdict[(now["growth"] <= 5 && now["growth"] >= -5)], before("settled", 1, " MB after run 10")
    if (now["soak"] != "")
        printf "200 Preview runs, files mixed %6.1f MB after run 10, spread %.1f MB among runs alike (target within 5: %s)%s\n", now["soaksettled"], now["soak"], verdict[now["soak"] <= 5], before("soak", 1, " MB spread")
}' "$work/baseline.figures" "$work/this.figures" ${probe:+"$work/io.figures"} ${earlier:+"$work/earlier.figures"}
