#!/usr/bin/env bash
# Start-up cost of the Windows program next to a bare Win32 window of the same size, under Wine on
# Xvfb: the time from launch until the X server maps the window, and the resident memory of the
# program's Wine process one second after that. One Wine server runs throughout, as Windows itself
# would, and a first launch of each warms it up uncounted. Runs the two alternately so that both see
# the same machine, then prints medians and ratios.
#   bench/startup_windows.sh [RUNS [ARCH...]]   RUNS of each (default 11); ARCH x86, x64 (default both)
# Needs the test profile of scripts/bootstrap.sh (MinGW-w64, Wine, Xvfb and xev).
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-11}
arches=("${@:2}")
((${#arches[@]})) || arches=(x86 x64)

for arch in "${arches[@]}"; do
    build=build/bench-windows-$arch
    cmake --preset "windows-$arch" -B "$build" -DHEXDEC_BUILD_BENCH=ON -DHEXDEC_BUILD_TESTS=OFF >/dev/null
    cmake --build "$build" -j 2 >/dev/null
done

source scripts/xvfb_session.sh startup_windows
source scripts/wine_session.sh
start_xvfb 1024x768x24
prefix=build/bench-windows-wine_prefix
start_wine "$prefix"
wineserver -p # stays up between the launches, until stop_wine

# Without a window manager every top-level window is a child of the root window, so the root's
# structure events tell the moment a window is mapped; its title tells whose it is.
coproc XEV { exec stdbuf -oL xev -root -event substructure; }
pids+=("$XEV_PID")
sleep 0.5

# Launches the Windows program $1 and waits for its window titled $2 to be mapped; sets ms (launch
# to map) and rss (VmRSS of the Wine process, KiB). $loader is the Wine loader of the program's
# bitness: "wine" hands a 64-bit program to a new process, whose memory would go unmeasured.
measure()
{
    local start mapped line pid window
    start=$EPOCHREALTIME
    "$loader" "$1" >/dev/null 2>&1 &
    pid=$!
    while true; do
        if ! IFS= read -r -t 20 line <&"${XEV[0]}"; then
            kill "$pid" 2>/dev/null || true
            wait "$pid" 2>/dev/null || true
            fail "no window from $1 within 20 s"
        fi
        [[ $line == MapNotify* ]] || continue
        IFS= read -r -t 5 line <&"${XEV[0]}" || continue # "event 0x..., window 0x..., override ..."
        window=$(sed -n 's/.* window \(0x[0-9a-f]*\),.*/\1/p' <<<"$line")
        [[ $(xprop -id "$window" WM_NAME 2>/dev/null) == *"\"$2\""* ]] && break
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

title='Vantrel Hex to Decimal Converter'
for arch in "${arches[@]}"; do
    program=build/bench-windows-$arch/app/vantrel-hex2dec.exe
    bare=build/bench-windows-$arch/bench/bare_window.exe
    loader=/usr/lib/wine/wine
    [[ $arch == x64 ]] && loader=/usr/lib/wine/wine64
    measure "$program" "$title"
    measure "$bare" 'Bare window'

    : >"$work/program" >"$work/bare"
    echo "windows-$arch"
    printf '%-4s %14s %14s %16s %16s\n' run program_ms bare_ms program_rss_kib bare_rss_kib
    for ((run = 1; run <= runs; run++)); do
        measure "$program" "$title"
        p_ms=$ms p_rss=$rss
        measure "$bare" 'Bare window'
        echo "$p_ms $p_rss" >>"$work/program"
        echo "$ms $rss" >>"$work/bare"
        printf '%-4s %14s %14s %16s %16s\n' "$run" "$p_ms" "$ms" "$p_rss" "$rss"
    done

    p_ms=$(cut -d' ' -f1 "$work/program" | median)
    b_ms=$(cut -d' ' -f1 "$work/bare" | median)
    p_rss=$(cut -d' ' -f2 "$work/program" | median)
    b_rss=$(cut -d' ' -f2 "$work/bare" | median)
    echo "windows-$arch, medians over $runs runs each:"
    awk -v pm="$p_ms" -v bm="$b_ms" -v pr="$p_rss" -v br="$b_rss" 'BEGIN {
        printf "  launch to window mapped: program %.1f ms, bare window %.1f ms, ratio %.2f\n", pm, bm, pm / bm
        printf "  resident memory:         program %.1f MiB, bare window %.1f MiB, ratio %.2f\n", pr / 1024, br / 1024, pr / br
    }'
    echo
done

stop_wine
rm -rf "$prefix"
