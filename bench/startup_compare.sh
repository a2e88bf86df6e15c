# Sourced by the start-up benchmarks once their X server runs (scripts/xvfb_session.sh): launches a
# program and a bare window of the same size alternately, so that both see the same machine, and
# prints every run, then medians and ratios.
#   program=(COMMAND...) bare=(COMMAND...); compare RUNS LABEL

title='Vantrel Hex to Decimal Converter'
bare_title='Bare window'

# Without a window manager every top-level window is a child of the root window, so the root's
# structure events tell the moment a window is mapped; its title tells whose it is.
coproc XEV { exec stdbuf -oL xev -root -event substructure; }
pids+=("$XEV_PID")
sleep 0.5

# Runs the command after $1 and waits for its window titled $1 to be mapped; sets ms (launch to map)
# and rss (VmRSS of the started process one second later, KiB).
measure()
{
    local name=$1 start mapped line pid window
    shift
    start=$EPOCHREALTIME
    "$@" >/dev/null 2>&1 &
    pid=$!
    while true; do
        if ! IFS= read -r -t 20 line <&"${XEV[0]}"; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
            fail "no window from $* within 20 s"
        fi
        [[ $line == MapNotify* ]] || continue
        IFS= read -r -t 5 line <&"${XEV[0]}" || continue # "event 0x..., window 0x..., override ..."
        window=$(sed -n 's/.* window \(0x[0-9a-f]*\),.*/\1/p' <<<"$line")
        [[ $(xprop -id "$window" WM_NAME 2>/dev/null) == *"\"$name\""* ]] && break
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

compare()
{
    local runs=$1 label=$2 run p_ms p_rss b_ms b_rss
    : >"$work/program" >"$work/bare"
    echo "$label"
    printf '%-4s %14s %14s %16s %16s\n' run program_ms bare_ms program_rss_kib bare_rss_kib
    for ((run = 1; run <= runs; run++)); do
        measure "$title" "${program[@]}"
        p_ms=$ms p_rss=$rss
        measure "$bare_title" "${bare[@]}"
        echo "$p_ms $p_rss" >>"$work/program"
        echo "$ms $rss" >>"$work/bare"
        printf '%-4s %14s %14s %16s %16s\n' "$run" "$p_ms" "$ms" "$p_rss" "$rss"
    done

    p_ms=$(cut -d' ' -f1 "$work/program" | median)
    b_ms=$(cut -d' ' -f1 "$work/bare" | median)
    p_rss=$(cut -d' ' -f2 "$work/program" | median)
    b_rss=$(cut -d' ' -f2 "$work/bare" | median)
    echo "$label, medians over $runs runs each:"
    awk -v pm="$p_ms" -v bm="$b_ms" -v pr="$p_rss" -v br="$b_rss" 'BEGIN {
        printf "  launch to window mapped: program %.1f ms, bare window %.1f ms, ratio %.2f\n", pm, bm, pm / bm
        printf "  resident memory:         program %.1f MiB, bare window %.1f MiB, ratio %.2f\n", pr / 1024, br / 1024, pr / br
    }'
    echo
}
