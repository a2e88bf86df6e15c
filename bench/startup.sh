#!/usr/bin/env bash
# Start-up cost of the program next to a bare Qt window of the same size, under Xvfb: the time from
# launch until the X server maps the window, and the resident memory one second after that.
# Runs the two alternately so that both see the same machine, then prints medians and ratios.
#   bench/startup.sh [RUNS]      RUNS of each (default 11)
# Needs the test profile of scripts/bootstrap.sh (Xvfb and xev).
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-11}
build=build/bench

# The bench preset builds with the same build type as the program a user runs.
cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
program="$build/app/vantrel-hex2dec"
bare="$build/bench/bare_window"

source scripts/xvfb_session.sh startup
start_xvfb 1024x768x24

# Without a window manager every top-level window is a child of the root window, so the root's
# structure events tell the moment a program's window is mapped.
coproc XEV { exec stdbuf -oL xev -root -event substructure; }
pids+=("$XEV_PID")
sleep 0.5

# Launches $1 and waits for its window to be mapped; sets ms (launch to map) and rss (VmRSS, KiB).
measure()
{
    local start mapped line pid
    start=$EPOCHREALTIME
    "$1" >/dev/null 2>&1 &
    pid=$!
    while true; do
        if ! IFS= read -r -t 10 line <&"${XEV[0]}"; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
            echo "startup: no window from $1 within 10 s" >&2
            exit 1
        fi
        [[ $line == MapNotify* ]] && break
    done
    mapped=$EPOCHREALTIME
    sleep 1
    rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    ms=$(awk -v a="$start" -v b="$mapped" 'BEGIN { printf "%.1f", (b - a) * 1000 }')
}

median()
{
    sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

: >"$work/program" >"$work/bare"
printf '%-4s %14s %14s %16s %16s\n' run program_ms bare_ms program_rss_kib bare_rss_kib
for ((run = 1; run <= runs; run++)); do
    measure "$program"
    p_ms=$ms p_rss=$rss
    measure "$bare"
    echo "$p_ms $p_rss" >>"$work/program"
    echo "$ms $rss" >>"$work/bare"
    printf '%-4s %14s %14s %16s %16s\n' "$run" "$p_ms" "$ms" "$p_rss" "$rss"
done

p_ms=$(cut -d' ' -f1 "$work/program" | median)
b_ms=$(cut -d' ' -f1 "$work/bare" | median)
p_rss=$(cut -d' ' -f2 "$work/program" | median)
b_rss=$(cut -d' ' -f2 "$work/bare" | median)
echo
echo "medians over $runs runs each:"
awk -v pm="$p_ms" -v bm="$b_ms" -v pr="$p_rss" -v br="$b_rss" 'BEGIN {
    printf "  launch to window mapped: program %.1f ms, bare window %.1f ms, ratio %.2f\n", pm, bm, pm / bm
    printf "  resident memory:         program %.1f MiB, bare window %.1f MiB, ratio %.2f\n", pr / 1024, br / 1024, pr / br
}'
