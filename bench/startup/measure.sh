#!/usr/bin/env bash
# Runs inside an X session (run.sh starts one): starts each program in turn through
# startup_probe, round after round, and prints per-program medians, minima and maxima, each
# compared with the first program, the reference: the ratio and difference of the medians, and
# the median of the differences within a round ("paired"), which a machine whose load changes
# slowly disturbs less.
#   measure.sh PROBE RUNS WARMUP RSS_DELAY_MS PAUSE_MS NAME=COMMAND...
# A COMMAND is split on blanks. Warm-up rounds are run but not counted. Between two starts the
# session is left alone for PAUSE_MS: right after a program ends, the X server, the window
# manager and the bus are still busy with it, and the next start would pay for that.
set -euo pipefail

probe=$1 runs=$2 warmup=$3 rss_delay=$4 pause=$5
shift 5
names=() commands=()
for entry in "$@"; do
    names+=("${entry%%=*}")
    commands+=("${entry#*=}")
done
count=${#names[@]}

results=$(mktemp)
trap 'rm -f "$results"' EXIT

echo "# display $DISPLAY, window manager openbox, $runs counted runs of each after $warmup warm-up," \
     "memory read ${rss_delay} ms after mapping, ${pause} ms pause between starts;" \
     "load average $(cut -d' ' -f1-3 /proc/loadavg)" >&2
for ((round = 1 - warmup; round <= runs; round++)); do
    for ((k = 0; k < count; k++)); do
        i=$(((k + round + count * warmup) % count))  # each round starts with the next program
        read -ra command <<<"${commands[i]}"
        line=$("$probe" -r "$rss_delay" "${command[@]}") \
            || { echo "measure: ${names[i]} did not start" >&2; exit 1; }
        if ((round >= 1)); then
            echo "$round ${names[i]} $line" >>"$results"
        fi
        if [ -n "${BENCH_VERBOSE:-}" ]; then echo "# round $round ${names[i]} $line" >&2; fi
        sleep "$(awk -v ms="$pause" 'BEGIN { print ms / 1000 }')"
    done
done
echo "# load average at the end $(cut -d' ' -f1-3 /proc/loadavg)" >&2

# "median min max" of the numbers read, one a line.
median() {
    sort -g | awk '{ v[NR] = $1 }
        END { if (NR == 0) { print "nan nan nan"; exit }
              print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2), v[1], v[NR] }'
}

# The values of one measure of one program, or with a reference program, the differences
# between the two within each round. Lines of the results: "ROUND NAME key=value ...".
values() {
    awk -v name="$1" -v reference="${3:-}" -v key="$2" '
        function value(   f, kv) {
            for (f = 3; f <= NF; f++) { split($f, kv, "="); if (kv[1] == key) return kv[2] }
            return -1
        }
        $2 == name && value() >= 0 { own[$1] = value() }
        $2 == reference && value() >= 0 { other[$1] = value() }
        END { for (r in own) if (reference == "") print own[r]; else if (r in other) print own[r] - other[r] }
    ' "$results"
}

compare() {
    local label=$1 key=$2 format=$3 name rm rmin rmax m min max paired rest
    read -r rm rmin rmax <<<"$(values "${names[0]}" "$key" | median)"
    for name in "${names[@]:1}"; do
        read -r m min max <<<"$(values "$name" "$key" | median)"
        read -r paired rest <<<"$(values "$name" "$key" "${names[0]}" | median)"
        awk -v l="$label" -v n="$name" -v r="${names[0]}" -v f="$format" -v p="$paired" \
            -v m="$m" -v min="$min" -v max="$max" -v rm="$rm" -v rmin="$rmin" -v rmax="$rmax" 'BEGIN {
                d = f; sub(/%/, "%+", d)
                printf "%-15s %s median " f " (min " f ", max " f ")  %s median " f " (min " f ", max " f ")  ratio %.3f  diff " d "  paired diff " d "\n",
                    l, n, m, min, max, r, rm, rmin, rmax, (rm > 0 ? m / rm : 0), m - rm, p
            }'
    done
}

compare startup_ms map_ms %.1f
compare first_paint_ms paint_ms %.1f
compare cpu_at_map_ms cpu_map_ms %.1f
compare cpu_at_paint_ms cpu_paint_ms %.1f
compare rss_kb rss_kb %.0f
compare rss_anon_kb rss_anon_kb %.0f
