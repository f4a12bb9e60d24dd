#!/usr/bin/env bash
# Start-up benchmark of Tervalo against a baseline Qt Widgets program (baseline.cpp): the time
# from exec until the window is mapped and first painted, and the resident memory shortly after
# mapping, measured for both programs alternately in one X session (Xvfb, openbox, D-Bus).
#
#   bench/startup/run.sh [--runs N] [--warmup N] [--rss-delay MS] [--pause MS] [--build-dir DIR]
#                        [--bench-dir DIR] [--no-build] [--pieces] [--steps LIST] [--instructions]
#
#   --runs N         counted starts of each program (default 15)
#   --warmup N       uncounted starts of each program first (default 2)
#   --rss-delay MS   when to read VmRSS after the window is mapped (default 300)
#   --pause MS       quiet time between two starts (default 1000)
#   --build-dir DIR  the program's build directory (default build/), configured RelWithDebInfo
#                    as scripts/tervalo does
#   --bench-dir DIR  where the benchmark's own programs are built (default DIR/bench-startup)
#   --no-build       use what is already built
#   --pieces         instead of Tervalo against the baseline, the baseline against itself plus
#                    one start-up step of Tervalo at a time (pieces.cpp), and some environments;
#                    then also a table of the time of each step measured inside the process
#   --steps LIST     --pieces, with these variants instead of Tervalo's steps one by one:
#                    blank-separated, each a step or steps joined by + (see pieces.cpp), e.g.
#                    --steps "icon icon-once chinese chinese+cjk-family"
#   --instructions   instead of timing, count the instructions of one start of each program
#                    under valgrind's callgrind (count.sh): slow, but immune to a busy machine
#
# Each line compares one program with the reference (the baseline), e.g.
#   startup_ms      tervalo median 58.1 (min 55.2, max 71.0)  baseline median 55.0 (min 52.3, max 69.8)
#                   ratio 1.056  diff +3.1  paired diff +2.9
# (one line each), where "paired diff" is the median of the differences within a round.
# Set BENCH_VERBOSE=1 to see every run.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
here="$root/bench/startup"
runs=15 warmup=2 rss_delay=300 pause=1000 build_dir="$root/build" bench_dir=""
build=1 pieces=0 instructions=0 steps=""
while [ $# -gt 0 ]; do
    case "$1" in
        --runs) runs=$2; shift 2 ;;
        --warmup) warmup=$2; shift 2 ;;
        --rss-delay) rss_delay=$2; shift 2 ;;
        --pause) pause=$2; shift 2 ;;
        --build-dir) build_dir=$(realpath -m "$2"); shift 2 ;;
        --bench-dir) bench_dir=$(realpath -m "$2"); shift 2 ;;
        --no-build) build=0; shift ;;
        --pieces) pieces=1; shift ;;
        --instructions) instructions=1; shift ;;
        --steps) steps=$2; pieces=1; shift 2 ;;
        *) sed -n '2,/^set -euo/p' "$0" | sed '$d' >&2; exit 2 ;;
    esac
done
bench_dir=${bench_dir:-$build_dir/bench-startup}
[ "$runs" -ge 1 ] || { echo "run.sh: --runs must be at least 1" >&2; exit 2; }

packages=(g++ cmake make qt6-base-dev qt6-qpa-plugins libxcb1-dev libxcb-damage0-dev libfontconfig-dev
          libgtest-dev qt6-translations-l10n fonts-wqy-microhei fonts-dejavu-core
          xvfb xauth openbox x11-utils dbus dbus-x11 at-spi2-core)
missing=()
for package in "${packages[@]}"; do
    dpkg-query -W -f='${Status}\n' "$package" 2>/dev/null | grep -q '^install ok installed$' \
        || missing+=("$package")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing: ${missing[*]}" >&2
    as_root=(); [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
        "${missing[@]}" </dev/null >&2
fi

if [ "$build" -eq 1 ]; then
    # Both built RelWithDebInfo (-O2 -g), the program as scripts/tervalo builds it.
    cmake -S "$root" -B "$build_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    [ "$pieces" -eq 1 ] || cmake --build "$build_dir" --target tervalo --parallel "$(nproc)" >/dev/null
    cmake -S "$here" -B "$bench_dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
    cmake --build "$bench_dir" --parallel "$(nproc)" >/dev/null
fi

probe="$bench_dir/startup_probe"
baseline="$bench_dir/startup_baseline"
variant="$bench_dir/startup_pieces"
program="$build_dir/app/tervalo"
if [ "$pieces" -eq 0 ]; then
    entries=("baseline=$baseline" "tervalo=$program")
else
    all="translator icon chinese font frame picture"
    entries=("baseline=$variant")
    for step in ${steps:-$all all}; do
        if [ "$step" = all ]; then
            entries+=("+all=$variant $all")
        else
            entries+=("+$step=$variant ${step//+/ }")
        fi
    done
    [ -n "$steps" ] \
        || entries+=("no-a11y-bridge=env -u QT_LINUX_ACCESSIBILITY_ALWAYS_ON -u STARTUP_PIECES_LOG $variant")
fi
needed=("$probe" "$baseline")
if [ "$pieces" -eq 0 ]; then needed+=("$program"); else needed+=("$variant"); fi
for file in "${needed[@]}"; do
    [ -x "$file" ] || { echo "run.sh: $file is not built" >&2; exit 1; }
done

if [ "$instructions" -eq 1 ]; then
    command -v valgrind >/dev/null || { echo "run.sh: --instructions needs valgrind" >&2; exit 1; }
    exec "$root/tests/x-session.sh" "$here/count.sh" "$probe" "$bench_dir/callgrind" "${entries[@]}"
fi

step_log=$(mktemp)
trap 'rm -f "$step_log"' EXIT
STARTUP_PIECES_LOG=$step_log "$root/tests/x-session.sh" "$here/measure.sh" "$probe" "$runs" "$warmup" \
    "$rss_delay" "$pause" "${entries[@]}"
[ "$pieces" -eq 1 ] || exit 0

# The in-process step times of startup_pieces: one line per start, "STEPS step=ms ... cpu=ms".
echo
echo "Inside the process, median ms of each step over the counted starts (- where not taken):"
awk -v warmup="$warmup" '{
        if (++seen[$1] <= warmup) next
        for (f = 2; f <= NF; f++) { split($f, kv, "="); print $1, kv[1], kv[2] }
    }' "$step_log" \
    | sort -k1,1 -k2,2 -k3,3g \
    | awk 'function flush() { if (n) print group, (n % 2 ? v[(n + 1) / 2] : (v[n / 2] + v[n / 2 + 1]) / 2) }
           { key = $1 " " $2; if (key != group) { flush(); group = key; n = 0 } v[++n] = $3 }
           END { flush() }' \
    | awk -v order="$(printf '%s\n' "${entries[@]}" | sed -n 's/^[^=]*=[^ ]*startup_pieces *//p' \
                      | sed 's/^$/baseline/; s/ /+/g' | tr '\n' ' ')" '
        BEGIN {
            rows = split(order, row, " ")
            cols = split("application icon translator window native frame controls show shown button_paint total cpu", col, " ")
            printf "%-44s", "steps"
            for (c = 1; c <= cols; c++) printf " %12s", col[c]
            print ""
        }
        { median[$1 " " $2] = $3 }
        END {
            for (r = 1; r <= rows; r++) {
                printf "%-44s", row[r]
                for (c = 1; c <= cols; c++) {
                    k = row[r] " " col[c]
                    if (k in median) printf " %12.2f", median[k]; else printf " %12s", "-"
                }
                print ""
            }
        }'
