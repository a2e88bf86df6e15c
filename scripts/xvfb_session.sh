# Sourced by the scripts that run the program under an X server of their own: a scratch folder in
# $work, the ids of every process they start in $pids (stopped in reverse order on exit), bounded
# waits, and the server itself.
#   source scripts/xvfb_session.sh NAME      NAME starts every failure message

session_name=${1:-xvfb}
work=$(mktemp -d)
pids=()

stop_all()
{
    local i
    for ((i = ${#pids[@]} - 1; i >= 0; i--)); do
        kill "${pids[i]}" 2>/dev/null || true
        wait "${pids[i]}" 2>/dev/null || true
    done
    rm -rf "$work"
}
trap stop_all EXIT

# Says what failed, shows the logs kept in $work, and exits. When $fail_screenshot names a file, the
# screen as it was is saved there first, for a person to see what the test saw.
fail()
{
    echo "$session_name: FAIL: $*" >&2
    if [[ -n ${fail_screenshot:-} && -n ${DISPLAY:-} ]] && timeout 20 import -window root "$fail_screenshot" 2>/dev/null; then
        echo "$session_name: the screen at the failure: $fail_screenshot" >&2
    fi
    local log
    for log in "$work"/*.log; do
        [[ -s $log ]] && { echo "--- $(basename "$log")"; cat "$log"; } >&2
    done
    exit 1
}

# Waits up to $1 seconds for the command after it to succeed.
wait_for()
{
    local deadline=$((SECONDS + $1))
    shift
    until "$@"; do
        ((SECONDS < deadline)) || return 1
        sleep 0.1
    done
}

# Starts Xvfb with one screen of $1 (WIDTHxHEIGHTxDEPTH) and points DISPLAY and Qt at it. The display
# number is drawn at random rather than the lowest free one: while tests run side by side, the lowest
# is often one that another test's server is just giving up, and a client could still reach that one.
# Keys do not repeat (-r): on a busy machine a key's release can come later than the repeat delay after
# its press, and the server would type the key again.
start_xvfb()
{
    local attempt number pid
    for attempt in 1 2 3 4 5; do
        number=$((100 + RANDOM % 900))
        [[ -e /tmp/.X$number-lock ]] && continue
        : >"$work/display"
        Xvfb ":$number" -displayfd 3 -screen 0 "$1" -nolisten tcp -r 3>"$work/display" 2>"$work/xvfb.log" &
        pid=$!
        # Ready once it names its display; a number taken meanwhile ends it, and another is drawn. Its
        # start-up (the keymap compiled first) can take seconds on a busy machine.
        wait_for 60 xvfb_settled "$pid"
        if grep -q '^[0-9]' "$work/display"; then
            pids+=("$pid")
            export DISPLAY=":$number"
            export QT_QPA_PLATFORM=xcb
            export XDG_RUNTIME_DIR="$work/runtime"
            mkdir -p -m 700 "$XDG_RUNTIME_DIR"
            return
        fi
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    fail "Xvfb did not start"
}

xvfb_settled()
{
    grep -q '^[0-9]' "$work/display" || ! kill -0 "$1" 2>/dev/null
}
