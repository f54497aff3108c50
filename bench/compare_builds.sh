#!/usr/bin/env bash
# Figures of two builds side by side, measured in one run on one machine:
# each instance is run by the "before" and the "after" vorbench back to back
# (alternating which goes first), and their layout files are compared.
#
#   compare_builds.sh run BEFORE_BUILD AFTER_BUILD OUT [JOBS]
#   compare_builds.sh summary OUT
#
# run: the classic classes I..X (20 pieces: Rapido seeds 1-3, Completo 1-10,
# Intensivo seed 1; 100 pieces: Rapido and Completo seeds 1-3) and workshop
# seed 1 (Rapido, Completo), with the options of run_figures.sh; writes
# OUT/before.csv and OUT/after.csv (run_figures.sh's columns) and OUT/same.csv
# (instance, type, whether every layout file is byte-identical). CLASSES and
# WORKSHOP=no narrow the set.
# summary: a markdown table of both, side by side.

set -uo pipefail
export LC_ALL=C

source "$(dirname "${BASH_SOURCE[0]}")/class_options.sh"
fields() {
    local line=$1 out=()
    for key in sheets layouts placed pieces yield seconds trials attempts valid guillotine; do
        local v=
        [[ " $line " =~ \ $key=([^ ]*)\  ]] && v=${BASH_REMATCH[1]}
        out+=("${v:-NA}")
    done
    local IFS=,; echo "${out[*]}"
}
run_one() {
    local id=$1 instance=$2 class=$3 n=$4 seed=$5 type=$6 limit=$7
    local args; read -r -a args <<<"$(class_options "$class")"
    args+=(--type "$type"); [[ $limit != - ]] && args+=(--time-limit "$limit")
    local d=$OUT/keep/$id; rm -rf "$d"
    local order=(before after); ((10#$id % 2)) && order=(after before)
    declare -A line st
    for which in "${order[@]}"; do
        local bin=$BEFORE; [[ $which == after ]] && bin=$AFTER
        line[$which]=$("$bin" "$OUT/instances/$instance/pieces.csv" "$OUT/instances/$instance/sheets.csv" "${args[@]}" --keep "$d/$which" 2>"$OUT/logs/$id-$which.log"); st[$which]=$?
    done
    local same=yes
    for f in "$d"/before/MONT/*.MON "$d"/after/MONT/*.MON; do
        local name=$(basename "$f")
        cmp -s "$d/before/MONT/$name" "$d/after/MONT/$name" || same=no
    done
    [[ $limit == - ]] && limit=
    for which in before after; do
        echo "$instance,$class,$n,$seed,$type,$limit,$(fields "${line[$which]}"),${st[$which]}" >"$OUT/rows-$which/$id.csv"
    done
    echo "$instance,$type,$same" >"$OUT/rows-same/$id.csv"
    rm -rf "$d"
}
cmd_run() {
    BEFORE=$1/bench/vorbench AFTER=$2/bench/vorbench OUT=$3
    local jobs=${4:-4} generate=$2/bench/vorbench_generate
    for tool in "$BEFORE" "$AFTER" "$generate"; do
        [[ -x $tool ]] || { echo "compare_builds.sh: $tool is not built" >&2; exit 2; }
    done
    mkdir -p "$OUT"
    OUT=$(cd "$OUT" && pwd)
    rm -rf "$OUT"/rows-* "$OUT/keep"
    mkdir -p "$OUT"/{instances,logs,keep,rows-before,rows-after,rows-same}
    export -f run_one class_options fields
    export BEFORE AFTER OUT
    local plan=$OUT/plan.txt id=0
    : >"$plan.all"
    add() { # class n seeds types
        local class=$1 n=$2 seeds=$3 types=$4
        for ((seed = 1; seed <= seeds; ++seed)); do
            local instance sz=()
            if [[ $class == workshop ]]; then
                instance=workshop-s$seed
            else
                instance=$class-n$n-s$seed
                sz=(--n "$n")
            fi
            [[ -d $OUT/instances/$instance ]] ||
                "$generate" --class "$class" "${sz[@]}" --seed "$seed" --out "$OUT/instances/$instance" >/dev/null
            local count=$(($(wc -l <"$OUT/instances/$instance/pieces.csv") - 1))
            for type in $types; do
                id=$((id + 1))
                printf '%06d %s %s %s %s %s -\n' "$id" "$instance" "$class" "$count" "$seed" "$type" >>"$plan.all"
            done
        done
    }
    for c in ${CLASSES:-I II III IV V VI VII VIII IX X}; do
        add "$c" 20 3 rapido
        add "$c" 20 10 completo
        add "$c" 100 3 "rapido completo"
        add "$c" 20 1 intensivo
    done
    [[ ${WORKSHOP:-yes} == yes ]] && add workshop - 1 "rapido completo"
    # The longest runs first.
    { grep intensivo "$plan.all"; grep -- "-n100-.*completo" "$plan.all"
      grep -v intensivo "$plan.all" | grep -v -- "-n100-.*completo"; } >"$plan"
    # shellcheck disable=SC2016
    xargs -P "$jobs" -L 1 bash -c 'run_one "$@"' run_one <"$plan"
    local hdr="instance,class,n,seed,type,time_limit,sheets,layouts,placed,pieces,yield,seconds,trials,attempts,valid,guillotine,status"
    for which in before after; do
        { echo "$hdr"; cat "$OUT"/rows-$which/*.csv; } >"$OUT/$which.csv"
    done
    cat "$OUT"/rows-same/*.csv >"$OUT/same.csv"
    rm -rf "$OUT"/rows-* "$OUT/keep" "$plan" "$plan.all"
}

cmd_summary() {
    local out=${1:?compare_builds.sh summary OUT}
    echo "| class | n | type | instances | total sheets before | after | mean yield % before | after | mean seconds before | after | identical layout files | valid, guillotine |"
    echo "|---|---:|---|---:|---:|---:|---:|---:|---:|---:|---:|---|"
    awk -F, '
    FILENAME ~ /same.csv$/ { same[$1 SUBSEP $2] = $3; next }
    FNR == 1 { for (i = 1; i <= NF; ++i) col[$i] = i; which = (FILENAME ~ /before.csv$/) ? "b" : "a"; next }
    {
        k = $(col["class"]) SUBSEP $(col["n"]) SUBSEP $(col["type"]) SUBSEP $(col["time_limit"])
        if (!(k in seen)) { seen[k] = 1; keys[++nkeys] = k; ok[k] = "yes" }
        if (which == "b") { ++count[k]; if (same[$(col["instance"]) SUBSEP $(col["type"])] == "yes") ++ident[k] }
        sheets[k, which] += $(col["sheets"]); yield[k, which] += $(col["yield"]); secs[k, which] += $(col["seconds"])
        if ($(col["valid"]) != "yes" || $(col["guillotine"]) != "yes" || $(col["status"]) != 0) ok[k] = "no"
    }
    END {
        split("I II III IV V VI VII VIII IX X workshop", names, " ")
        for (i in names) rank[names[i]] = i
        rt["rapido"] = 1; rt["completo"] = 2; rt["intensivo"] = 3
        for (j = 1; j <= nkeys; ++j) {
            k = keys[j]; split(k, p, SUBSEP); c = count[k]
            type = p[3] (p[4] != "" ? " (limit " p[4] " min)" : "")
            printf "%02d %06d %d|| %s | %s | %s | %d | %d | %d | %.2f | %.2f | %.3f | %.3f | %d of %d | %s |\n",
                rank[p[1]], p[2], rt[p[3]], p[1], p[2], type, c, sheets[k, "b"], sheets[k, "a"],
                yield[k, "b"] / c, yield[k, "a"] / c, secs[k, "b"] / c, secs[k, "a"] / c, ident[k], c, ok[k]
        }
    }' "$out/same.csv" "$out/before.csv" "$out/after.csv" | sort | sed 's/^[^|]*||/|/'
}

case "${1:-}" in
    run) shift; cmd_run "$@" ;;
    summary) shift; cmd_summary "$@" ;;
    *) sed -n '2,10p' "${BASH_SOURCE[0]}" | sed 's/^# \{0,1\}//' >&2; exit 2 ;;
esac
