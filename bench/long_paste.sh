#!/usr/bin/env bash
# A long line pasted into the program's input field under Xvfb, as a user pastes it: through the
# clipboard (xclip) and ctrl+v, then a click on "Convert". For each run it reports
#   paste_ms   ctrl+v until the program's event loop answers again,
#   output_ms  ctrl+v until the output field is drawn anew (the click comes straight after the paste),
#   cpu_pct    CPU use over 5 s of idle with the focus back in the input field (its cursor blinking),
#   freeze_ms  the longest the event loop left a ping unanswered over those 5 s (pinged every 20 ms),
#   rss_mib    resident memory after all that, and hwm_mib, its peak,
#   undo_ms    ctrl+a, Delete and ctrl+z in the long line until the event loop answers again (the whole
#              line then checked to be back),
# checks the output, then prints the medians for each line.
#   bench/long_paste.sh [--wine x86|x64] [RUNS] [LINE...]
#       RUNS of each (default 5). A LINE is a length in megabytes (M, the default) or kilobytes (k) of
#       short tokens, "FE FE ... F"; with a leading t, one token of that length, "00...0FE 01", whose
#       digits must all be read. Default: 1 10. With --wine, the Windows program under Wine.
#   PROGRAM=path bench/long_paste.sh ...          another build of the program, to compare
#   PROFILE=file bench/long_paste.sh ...          perf records the program from ctrl+v to the output
# Needs the test profile of scripts/bootstrap.sh (Xvfb, xdotool, xclip; MinGW-w64 and Wine for --wine).
set -euo pipefail
cd "$(dirname "$0")/.."

wine_arch=
if [[ ${1:-} == --wine ]]; then
    wine_arch=$2
    shift 2
fi
runs=${1:-5}
shift || true
sizes=("${@:-1 10}")
read -r -a sizes <<<"${sizes[*]}"
build=build/bench

cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null
program=(${PROGRAM:-$build/app/vantrel-hex2dec})
probe=$build/bench/x_probe
ticks_per_second=$(getconf CLK_TCK)
idle_seconds=5
answer_seconds=600 # a freeze of minutes is a result too

# Places in the window's client area, in pixels: the design's twips at 15 to the pixel.
client_size=(312 131)
text1_at=(144 50)
convert_at=(132 77)
text2_at=(144 106)
text2_rect=(8 96 273 21)

source scripts/xvfb_session.sh long_paste
start_xvfb 640x400x24

if [[ -n $wine_arch ]]; then
    windows_build=build/bench-windows-$wine_arch
    cmake --preset "windows-$wine_arch" -B "$windows_build" -DHEXDEC_BUILD_BENCH=ON -DHEXDEC_BUILD_TESTS=OFF >/dev/null
    cmake --build "$windows_build" -j 2 >/dev/null
    source scripts/wine_session.sh
    start_wine "$windows_build-wine_prefix"
    wineserver -p # stays up between the runs, as Windows itself would
    # The program through its own loader, so that the process measured is the program's.
    loader=/usr/lib/wine/wine
    [[ $wine_arch == x64 ]] && loader=/usr/lib/wine/wine64
    program=("$loader" "$windows_build/app/vantrel-hex2dec.exe")
fi

# The line named $1 (see the usage above), with no newline.
make_line()
{
    local length=$1 token=0 unit=1000000
    [[ $length == t* ]] && { token=1; length=${length#t}; }
    [[ $length == *k ]] && { unit=1000; length=${length%k}; }
    length=${length%M}
    awk -v n="$((length * unit))" -v token="$token" 'BEGIN {
        s = token ? "0" : "FE "; tail = token ? "FE 01" : "F"; n -= length(tail)
        while (length(s) * 2 <= n) s = s s
        while (length(s) < n) s = s substr(s, 1, n - length(s))
        printf "%s", substr(s, 1, n) tail }'
}

expected_for()
{
    if [[ $1 == t* ]]; then echo 254; else echo "254 254 254 254 254 254 254 254 254 254 254 254"; fi
}

cpu_ticks()
{
    awk '{ print $14 + $15 }' "/proc/$1/stat"
}

status_kib()
{
    awk -v key="$2:" '$1 == key { print $2 }' "/proc/$1/status"
}

# Stops one process of $pids by its id and forgets it.
stop()
{
    kill "$1" 2>/dev/null || true
    wait "$1" 2>/dev/null || true
    local i
    for i in "${!pids[@]}"; do [[ ${pids[i]} == "$1" ]] && unset 'pids[i]'; done
    pids=("${pids[@]}")
}

clipboard_owned()
{
    timeout 2 xclip -o -selection clipboard -t TARGETS >/dev/null 2>&1
}

# Clicks at $2,$3 in the client area of window $1; the pointer is first taken off the window, since
# --sync would wait for ever for a move to where it already is.
click_at()
{
    timeout 5 xdotool mousemove 0 0 mousemove --window "$1" --sync $((origin[0] + $2)) $((origin[1] + $3)) \
        click 1 >/dev/null
}

seconds_to_ms()
{
    awk -v a="$1" -v b="$2" 'BEGIN { printf "%.0f", (b - a) * 1000 }'
}

# One run with the line in file $1; appends "paste output cpu freeze rss hwm" to file $2.
measure()
{
    local line=$1 results=$2 expected=$3 pid window xclip_pid change_pid t0 t_paste t_output ticks0 ticks1 start end
    local ping rss hwm owner=() WIDTH HEIGHT
    "${program[@]}" >"$work/program.log" 2>&1 &
    pid=$!
    pids+=("$pid")
    [[ -z $wine_arch ]] && owner=(--pid "$pid") # Wine's windows may not carry the process id
    window=$(timeout 30 xdotool search --all --sync --onlyvisible "${owner[@]}" \
        --name '^Vantrel Hex to Decimal Converter$' | head -n1) || true
    [[ -n $window ]] || fail "the main window did not appear"
    timeout 5 xdotool windowfocus --sync "$window" || fail "could not focus the window"
    # Where the client area starts: Qt's window is the client area alone, while Wine without a window
    # manager draws the frame inside its own window, caption on top and one border width elsewhere.
    eval "$(timeout 5 xdotool getwindowgeometry --shell "$window" | grep -E '^(WIDTH|HEIGHT)=')"
    local border=$(((WIDTH - client_size[0]) / 2))
    origin=("$border" $((HEIGHT - client_size[1] - border)))

    xclip -selection clipboard -quiet <"$line" >/dev/null 2>&1 &
    xclip_pid=$!
    pids+=("$xclip_pid")
    wait_for 5 clipboard_owned || fail "xclip did not take the clipboard"

    "$probe" change "$window" $((origin[0] + text2_rect[0])) $((origin[1] + text2_rect[1])) "${text2_rect[@]:2}" \
        "$answer_seconds" >"$work/change" &
    change_pid=$!
    pids+=("$change_pid")
    wait_for 10 grep -sqx ready "$work/change" || fail "the pixel probe did not start"

    local perf_pid=
    if [[ -n ${PROFILE:-} ]]; then
        perf record -F 499 -g -p "$pid" -o "$PROFILE" >"$work/perf.log" 2>&1 &
        perf_pid=$!
        sleep 1
    fi
    # The focus starts in Text1.
    t0=$EPOCHREALTIME
    timeout 5 xdotool key ctrl+v
    t_paste=$("$probe" answer "$window" "$answer_seconds") || fail "the program did not answer after the paste"
    click_at "$window" "${convert_at[@]}" || fail "could not click Convert"
    wait "$change_pid" || fail "the output field was not drawn anew"
    stop "$change_pid"
    t_output=$(sed -n 2p "$work/change")
    [[ -n $perf_pid ]] && { kill -INT "$perf_pid"; wait "$perf_pid" || true; }

    # Idle, as a user leaves it: the focus back in the long line, its cursor blinking.
    click_at "$window" "${text1_at[@]}" || fail "could not click Text1"
    "$probe" answer "$window" "$answer_seconds" >/dev/null || fail "the program did not answer after the click in Text1"
    sleep 1
    ticks0=$(cpu_ticks "$pid")
    start=$EPOCHREALTIME
    ping=$("$probe" ping "$window" "$idle_seconds") || fail "the program stopped answering"
    end=$EPOCHREALTIME
    ticks1=$(cpu_ticks "$pid")
    rss=$(status_kib "$pid" VmRSS)
    hwm=$(status_kib "$pid" VmHWM)

    # Select all, Delete, then undo, in the long line: the whole line back, and how soon.
    t_select=$EPOCHREALTIME
    timeout 5 xdotool key --delay 1 ctrl+a Delete ctrl+z
    t_undo=$("$probe" answer "$window" "$answer_seconds") || fail "the program did not answer after the undo"
    timeout 5 xdotool key ctrl+a ctrl+c
    "$probe" answer "$window" "$answer_seconds" >/dev/null || fail "the program did not answer after the copy"
    wait_for 10 bash -c '[[ $(timeout 5 xclip -o -selection clipboard 2>/dev/null | wc -c) == "$1" ]]' _ \
        "$(wc -c <"$line")" || fail "the undo did not bring the whole line back"

    # The output, read back through the clipboard.
    click_at "$window" "${text2_at[@]}" || fail "could not click Text2"
    timeout 5 xdotool key ctrl+a ctrl+c
    "$probe" answer "$window" "$answer_seconds" >/dev/null || fail "the program did not answer after the copy"
    wait_for 10 bash -c '[[ $(timeout 2 xclip -o -selection clipboard 2>/dev/null) == "$1" ]]' _ "$expected" ||
        fail "Text2 holds '$(timeout 2 xclip -o -selection clipboard 2>/dev/null | head -c 80)', expected '$expected'"

    stop "$xclip_pid"
    stop "$pid"
    awk -v t0="$t0" -v tp="$t_paste" -v to="$t_output" -v k="$((ticks1 - ticks0))" -v hz="$ticks_per_second" \
        -v s="$start" -v e="$end" -v ping="$ping" -v rss="$rss" -v hwm="$hwm" -v us="$t_select" -v ue="$t_undo" 'BEGIN {
        split(ping, p, " ")
        printf "%.0f %.0f %.1f %.0f %.1f %.1f %.0f\n", (tp - t0) * 1000, (to - t0) * 1000, k / hz / (e - s) * 100,
            p[6], rss / 1024, hwm / 1024, (ue - us) * 1000 }' >>"$results"
}

median()
{
    sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'
}

echo "program: ${program[*]}"
for mb in "${sizes[@]}"; do
    make_line "$mb" >"$work/line"
    : >"$work/results"
    printf '%-5s %-5s %9s %9s %8s %9s %8s %8s %8s\n' line run paste_ms output_ms cpu_pct freeze_ms rss_mib hwm_mib undo_ms
    for ((run = 1; run <= runs; run++)); do
        measure "$work/line" "$work/results" "$(expected_for "$mb")"
        printf '%-5s %-5s %9s %9s %8s %9s %8s %8s %8s\n' "$mb" "$run" $(tail -n1 "$work/results")
    done
    printf '%-5s %-5s' "$mb" median
    for column in 1 2 3 4 5 6 7; do
        printf ' %8s' "$(cut -d' ' -f"$column" "$work/results" | median)"
    done
    echo
done
