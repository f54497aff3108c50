#!/usr/bin/env bash
# Benchmark figures of the optimiser: generates seeded instances, runs vorbench
# on each in parallel and collects its figures in a CSV; "summary" condenses
# such a CSV per class, size and calculation type into a markdown table.
#
#   run_figures.sh run [--build DIR] [--out DIR] [--jobs N] [--classes "I II ..."]
#                      [--sizes "20 100"] [--seeds N] [--types "rapido completo"]
#                      [--workshop-seeds N] [--time-limit MINUTES] [--append]
#   run_figures.sh summary FIGURES.csv
#
# The CSV has one row per run: instance, class, n (piece lines), seed, type,
# time_limit (minutes, empty for none), every field of vorbench's line and
# vorbench's exit status.
#
# run: every class of --classes (I..X, and "workshop") with every size of
# --sizes and seeds 1..--seeds, each with every type of --types; "workshop"
# takes no size (its line count comes from its seed) and seeds
# 1..--workshop-seeds. Instances go to OUT/instances, vorbench's messages to
# OUT/logs, the figures to OUT/figures.csv (replaced, or with --append
# extended). Defaults: build folder ../build-bench next to this script, OUT
# ./bench_figures, all cores, the ten classes, sizes 20 and 100, 10 seeds,
# Rápido and Completo, one workshop seed (only when "workshop" is a class).
#
# The figures in the notes come from:
#   run_figures.sh run --out F
#   run_figures.sh run --out F --sizes 20 --types intensivo --append
#   run_figures.sh run --out F --classes workshop --types "rapido completo" --append
#   run_figures.sh run --out F --classes workshop --types intensivo --time-limit 1 --append
#   run_figures.sh summary F/figures.csv >F/summary.md
#
# The classic classes are oriented, without kerf or trim; their bins are
# scaled to boards of at least 1000 mm (the engine's results do not change
# with the scale when there is no kerf, trim or minimum strip). Workshop jobs
# may turn pieces, with a 4 mm kerf and 10 mm trims.

set -euo pipefail
export LC_ALL=C

here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)

source "$(dirname "${BASH_SOURCE[0]}")/class_options.sh"

readonly header="instance,class,n,seed,type,time_limit,sheets,layouts,placed,pieces,yield,seconds,trials,attempts,valid,guillotine,status"

# One vorbench run of a plan line: its CSV row goes to RF_DIR/rows/ID.csv,
# vorbench's messages to RF_DIR/logs/INSTANCE-TYPE.log.
run_one() {
    local id=$1 instance=$2 class=$3 n=$4 seed=$5 type=$6 limit=$7
    local vorbench=$RF_VORBENCH dir=$RF_DIR
    local -a args
    read -r -a args <<<"$(class_options "$class")"
    args+=(--type "$type")
    if [[ $limit != - ]]; then
        args+=(--time-limit "$limit")
    fi
    local line status=0
    line=$("$vorbench" "$dir/instances/$instance/pieces.csv" "$dir/instances/$instance/sheets.csv" \
        "${args[@]}" 2>"$dir/logs/$instance-$type.log") || status=$?
    local fields=()
    for key in sheets layouts placed pieces yield seconds trials attempts valid guillotine; do
        local value=
        [[ " $line " =~ \ $key=([^ ]*)\  ]] && value=${BASH_REMATCH[1]}
        if [[ -z $value ]]; then
            case $key in valid | guillotine) value=no ;; *) value=NA ;; esac
        fi
        fields+=("$value")
    done
    [[ $limit == - ]] && limit=
    local IFS=,
    echo "$instance,$class,$n,$seed,$type,$limit,${fields[*]},$status" >"$dir/rows/$id.csv"
}

cmd_run() {
    local build="$here/../build-bench" out="./bench_figures" jobs
    jobs=$(nproc)
    local classes="I II III IV V VI VII VIII IX X" sizes="20 100" seeds=10
    local types="rapido completo" workshop_seeds=1 limit="" append=0
    while (($#)); do
        case "$1" in
            --build) build=$2; shift 2 ;;
            --out) out=$2; shift 2 ;;
            --jobs) jobs=$2; shift 2 ;;
            --classes) classes=$2; shift 2 ;;
            --sizes) sizes=$2; shift 2 ;;
            --seeds) seeds=$2; shift 2 ;;
            --types) types=$2; shift 2 ;;
            --workshop-seeds) workshop_seeds=$2; shift 2 ;;
            --time-limit) limit=$2; shift 2 ;;
            --append) append=1; shift ;;
            *) echo "run_figures.sh: unknown option $1" >&2; exit 2 ;;
        esac
    done
    local vorbench="$build/bench/vorbench" generate="$build/bench/vorbench_generate"
    for tool in "$vorbench" "$generate"; do
        [[ -x $tool ]] || { echo "run_figures.sh: $tool is not built" >&2; exit 2; }
    done
    for class in $classes; do
        class_options "$class" >/dev/null || { echo "run_figures.sh: unknown class $class" >&2; exit 2; }
    done
    mkdir -p "$out/instances" "$out/logs"
    out=$(cd "$out" && pwd)
    local rows="$out/rows"
    rm -rf "$rows"
    mkdir -p "$rows"

    # The instances first (quick, and shared by the types), then the runs.
    local plan="$out/plan.txt" id=0
    : >"$plan"
    for class in $classes; do
        local class_sizes=$sizes class_seeds=$seeds
        [[ $class == workshop ]] && class_sizes=- class_seeds=$workshop_seeds
        for n in $class_sizes; do
            for ((seed = 1; seed <= class_seeds; ++seed)); do
                local instance size_args=()
                if [[ $class == workshop ]]; then
                    instance="workshop-s$seed"
                else
                    instance="$class-n$n-s$seed"
                    size_args=(--n "$n")
                fi
                "$generate" --class "$class" "${size_args[@]}" --seed "$seed" \
                    --out "$out/instances/$instance"
                local count
                count=$(($(wc -l <"$out/instances/$instance/pieces.csv") - 1))
                for type in $types; do
                    id=$((id + 1))
                    printf '%06d %s %s %s %s %s %s\n' "$id" "$instance" "$class" "$count" \
                        "$seed" "$type" "${limit:--}" >>"$plan"
                done
            done
        done
    done

    export -f run_one class_options
    export RF_VORBENCH=$vorbench RF_DIR=$out
    # shellcheck disable=SC2016
    xargs -P "$jobs" -L 1 bash -c 'run_one "$@"' run_one <"$plan"

    local csv="$out/figures.csv"
    if ((append == 0)) || [[ ! -s $csv ]]; then
        echo "$header" >"$csv"
    fi
    cat "$rows"/*.csv >>"$csv"
    rm -rf "$rows" "$plan"
    echo "run_figures.sh: $id runs, figures in $csv" >&2
}

cmd_summary() {
    local csv=${1:?run_figures.sh summary FIGURES.csv}
    echo "| class | n | type | instances | total sheets | mean yield % | mean seconds | all valid | all guillotine |"
    echo "|---|---|---|---:|---:|---:|---:|---|---|"
    awk -F, '
        NR == 1 { for (i = 1; i <= NF; ++i) col[$i] = i; next }
        {
            k = $(col["class"]) SUBSEP $(col["n"]) SUBSEP $(col["type"]) SUBSEP $(col["time_limit"])
            if (!(k in count)) { keys[++nkeys] = k; valid[k] = "yes"; guillotine[k] = "yes" }
            ++count[k]
            sheets[k] += $(col["sheets"])
            yield[k] += $(col["yield"])
            seconds[k] += $(col["seconds"])
            if ($(col["valid"]) != "yes") valid[k] = "no"
            if ($(col["guillotine"]) != "yes") guillotine[k] = "no"
        }
        END {
            split("I II III IV V VI VII VIII IX X workshop", names, " ")
            for (i in names) rank[names[i]] = i
            rank_type["rapido"] = 1; rank_type["completo"] = 2; rank_type["intensivo"] = 3
            for (j = 1; j <= nkeys; ++j) {
                k = keys[j]
                split(k, p, SUBSEP)
                type = p[3] (p[4] != "" ? " (limit " p[4] " min)" : "")
                printf "%02d %06d %d %06d|| %s | %s | %s | %d | %d | %.2f | %.3f | %s | %s |\n",
                    rank[p[1]], p[2], rank_type[p[3]], p[4], p[1], p[2], type, count[k], sheets[k],
                    yield[k] / count[k], seconds[k] / count[k], valid[k], guillotine[k]
            }
        }' "$csv" | sort | sed 's/^[^|]*||/|/'
}

case "${1:-}" in
    run) shift; cmd_run "$@" ;;
    summary) shift; cmd_summary "$@" ;;
    *)
        sed -n '2,10p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//' >&2
        exit 2
        ;;
esac
