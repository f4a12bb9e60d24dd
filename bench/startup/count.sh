#!/usr/bin/env bash
# Runs inside an X session (run.sh --instructions starts one): starts each program once under
# valgrind's callgrind, through startup_probe, and prints how many instructions it executed from
# exec until one second after its window was mapped, its first painting included. Unlike times,
# the count is not disturbed by other work on the machine. The profiles are left in OUTDIR for
# callgrind_annotate.
#   count.sh PROBE OUTDIR NAME=COMMAND...
# The first program is the reference. Entries that change the environment (env ...) are skipped.
set -euo pipefail

probe=$1 out=$2
shift 2
mkdir -p "$out"
reference=""
for entry in "$@"; do
    name=${entry%%=*}
    read -ra command <<<"${entry#*=}"
    [ "${command[0]}" != env ] || continue
    profile="$out/$name.callgrind"
    "$probe" -t 120000 -r 1000 \
        valgrind --tool=callgrind --callgrind-out-file="$profile" "${command[@]}" >/dev/null \
        || { echo "count: ${name} did not start" >&2; exit 1; }
    total=$(callgrind_annotate "$profile" 2>/dev/null \
        | sed -n 's/^ *\([0-9,]*\) .*PROGRAM TOTALS.*/\1/p' | tr -d ,)
    reference=${reference:-$total}
    awk -v n="$name" -v t="$total" -v r="$reference" 'BEGIN {
        printf "%-15s %-32s %8.1f M  ratio %.3f  diff %+.1f M\n", "instructions", n, t / 1e6, t / r, (t - r) / 1e6
    }'
done
echo "# profiles: $out/*.callgrind (callgrind_annotate --inclusive=yes FILE)" >&2
