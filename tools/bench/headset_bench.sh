#!/usr/bin/env bash
# Headset frame benchmark, several programs side by side: each round runs every
# program given once, in turn, so that a machine busy with other work slows
# them all alike. Each program is zot_headset_bench or zot_xr_bench (any build);
# the figure taken from a run is the median of its "whole ..." line, the work
# of a frame after the runtime's wait. Prints each program's medians and their
# median, lowest and highest.
#
#   tests/support/with_xvfb.sh 1920x1080 tools/bench/headset_bench.sh build/run 5 600 \
#       zot=build/tools/bench/zot_headset_bench bare=build/tools/bench/zot_xr_bench
set -euo pipefail
run_dir=$(cd "$1" && pwd)
rounds=$2
frames=$3
shift 3
labels=()
programs=()
for arg in "$@"; do
    labels+=("${arg%%=*}")
    read -r program options <<<"${arg#*=}"
    programs+=("$(cd "$(dirname "$program")" && pwd)/$(basename "$program") ${options:-}")
done
declare -A medians
for ((r = 1; r <= rounds; r++)); do
    for i in "${!programs[@]}"; do
        read -r -a command <<<"${programs[$i]}"
        m=$(cd "$run_dir" && "${command[@]}" "$frames" 2>/dev/null | sed -n 's/^whole.*median *\([0-9.]*\).*/\1/p')
        [ -n "$m" ] || { echo "headset_bench: ${labels[$i]} printed no frame time" >&2; exit 1; }
        medians[${labels[$i]}]+="$m "
        echo "round $r: ${labels[$i]} median ${m} ms"
    done
done
for label in "${labels[@]}"; do
    printf '%s\n' ${medians[$label]} | sort -g | awk -v l="$label" '
        { v[NR] = $1 }
        END { m = (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2
              printf "%-12s median of %d runs %.2f ms (lowest %.2f, highest %.2f)\n", l, NR, m, v[1], v[NR] }'
done
