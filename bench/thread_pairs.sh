#!/usr/bin/env bash
# One thread against every core, in one run on one machine: each instance is
# run by the same vorbench with --threads 1 and then --threads 0, one run at a
# time (so that the all-threads run has the machine to itself), and every file
# the two runs leave in MONT is compared with cmp, but CALC_DAT.INI and
# DATA_CO.INF, which carry the wall-clock stamp of the calculation.
#
#   thread_pairs.sh BUILD OUT
#
# Instances: the seeded 79-line workshop job (Intensivo, no time limit) and the
# ten classic classes, 100 pieces, seed 1 (Completo). WORKSHOP=no leaves out the
# long workshop pair; CLASSES narrows the classes. Prints a markdown table.

set -uo pipefail
export LC_ALL=C
BUILD=$1 OUT=$2
VORBENCH=$BUILD/bench/vorbench GENERATE=$BUILD/bench/vorbench_generate
for tool in "$VORBENCH" "$GENERATE"; do
    [[ -x $tool ]] || { echo "thread_pairs.sh: $tool is not built" >&2; exit 2; }
done
mkdir -p "$OUT"

source "$(dirname "${BASH_SOURCE[0]}")/class_options.sh"
seconds_of() { [[ " $1 " =~ \ seconds=([^ ]*)\  ]] && echo "${BASH_REMATCH[1]}"; }

pair() { # class n type
    local class=$1 n=$2 type=$3 instance sz=()
    if [[ $class == workshop ]]; then instance=workshop-s1; else instance=$class-n$n-s1; sz=(--n "$n"); fi
    local dir=$OUT/$instance
    [[ -d $dir/in ]] || "$GENERATE" --class "$class" "${sz[@]}" --seed 1 --out "$dir/in" >/dev/null
    local lines=$(($(wc -l <"$dir/in/pieces.csv") - 1))
    local args; read -r -a args <<<"$(class_options "$class")"
    args+=(--type "$type")
    local one all
    rm -rf "$dir/t1" "$dir/tall"
    one=$("$VORBENCH" "$dir/in/pieces.csv" "$dir/in/sheets.csv" "${args[@]}" --threads 1 --keep "$dir/t1" 2>"$dir/t1.log")
    all=$("$VORBENCH" "$dir/in/pieces.csv" "$dir/in/sheets.csv" "${args[@]}" --threads 0 --keep "$dir/tall" 2>"$dir/tall.log")
    echo "$one" >"$dir/t1.txt"; echo "$all" >"$dir/tall.txt"
    local same=yes files=0
    for f in "$dir"/t1/MONT/* "$dir"/tall/MONT/*; do
        local name=$(basename "$f")
        [[ $name == CALC_DAT.INI || $name == DATA_CO.INF ]] && continue
        files=$((files + 1))
        cmp -s "$dir/t1/MONT/$name" "$dir/tall/MONT/$name" || same=no
    done
    local s1 sa
    s1=$(seconds_of "$one") sa=$(seconds_of "$all")
    printf '| %s | %s | %s | %s | %s | %s | %s |\n' "$instance ($lines lines)" "$type" "$s1" "$sa" \
        "$(awk -v a="$s1" -v b="$sa" 'BEGIN { if (b > 0) printf "%.1f", a / b; else print "NA" }')" \
        "$((files / 2))" "$same"
}

echo "| instance | type | 1 thread s | all threads ($(nproc)) s | speed-up | files | identical |"
echo "|---|---|---:|---:|---:|---:|---|"
for c in ${CLASSES:-I II III IV V VI VII VIII IX X}; do pair "$c" 100 completo; done
[[ ${WORKSHOP:-yes} == yes ]] && pair workshop - intensivo
