#!/usr/bin/env bash
# Runs two builds of corvane over the same files and options and reports every
# run whose book, standard output, standard error or exit status differs. A
# change made for speed must leave all four alike.
#
#   bench/differential.sh OLD_CORVANE NEW_CORVANE [FILE ...]
#
# Without files it takes the samples, the test files, the fuzz corpus and the
# largest generated files (when build-bench holds them).
set -uo pipefail

here=$(cd "$(dirname "$0")/.." && pwd)
old=$(realpath "${1:?old corvane}")
new=$(realpath "${2:?new corvane}")
shift 2

files=("$@")
if ((${#files[@]} == 0)); then
    files=("$here"/samples/*.csv "$here"/tests/data/*.csv "$here"/fuzz/corpus/*/*)
    for large in "$here"/build-bench/bench/data/largest-*.csv; do
        [[ -f $large ]] && files+=("$large")
    done
fi

# Each set is one line of options; the output's suffix follows the last word.
option_sets=(
    "--project 0512-I4 --control 79001 --date 2026-06-01 txt"
    "--points offset,break,cl --date 2026-06-01 txt"
    "--points eop,jl,foc,boc --left-offset 12.5 --right-offset 3 --left-from centerline --date 2026-06-01 txt"
    "--left-offset 2 --right-offset x --date 2026-06-01 txt"
    "--right-offset 7.25 --right-from last --page 102x66 --project P --control C --date 2026-06-01 txt"
    "--page 1000x105 --date 2026-06-01 txt"
    "--stations 1040+00..1060+00 --date 2026-06-01 txt"
    "--format csv --date 2026-06-01 csv"
)

export QT_QPA_PLATFORM=offscreen
work=$(mktemp -d -p /dev/shm 2>/dev/null || mktemp -d)
trap 'rm -rf "$work"' EXIT

# One run of a build: its exit status, then its three outputs, in one folder.
run() {
    local program=$1 folder=$2 file=$3 suffix=$4
    shift 4
    mkdir -p "$folder"
    (cd "$folder" && "$program" export "$file" -o "book.$suffix" "$@" >stdout 2>stderr
     echo $? >status)
    # Messages name the output by path; both builds write to the same name.
    [[ -f $folder/book.$suffix ]] || : >"$folder/book.$suffix"
}

runs=0
differing=0
for file in "${files[@]}"; do
    file=$(realpath "$file")
    for set in "${option_sets[@]}"; do
        read -r -a words <<<"$set"
        suffix=${words[-1]}
        unset 'words[-1]'
        run "$old" "$work/old" "$file" "$suffix" "${words[@]}"
        run "$new" "$work/new" "$file" "$suffix" "${words[@]}"
        runs=$((runs + 1))
        if ! diff -rq "$work/old" "$work/new" >/dev/null; then
            differing=$((differing + 1))
            echo "DIFFERS: $file $set"
            diff -r "$work/old" "$work/new" | head -5
        fi
        rm -rf "$work/old" "$work/new"
    done
done
echo "$runs runs, $differing differing"
((differing == 0))
