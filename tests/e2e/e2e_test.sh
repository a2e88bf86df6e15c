#!/usr/bin/env bash
# The built program under a real X server, used as a person would: types a line, presses Enter and
# Esc, walks the Tab order, clicks "Convert" with the mouse, reads the output back through the
# clipboard, then triggers the error box and dismisses it. Screenshots of the window and of the box
# are saved for a person to look at. The same scenario serves every front-end:
#   e2e_test.sh PROGRAM SHOT_DIR                the Linux program; its windows are found by its pid
#   e2e_test.sh --wine PREFIX PROGRAM SHOT_DIR  a Windows program under Wine in PREFIX (made when it
#                                               does not exist yet); its windows are found by name
#   e2e_test.sh --web ENGINE PAGE SHOT_DIR      the web page in a browser window of ENGINE (chromium,
#                                               firefox or webkit; skipped when not installed), under a
#                                               window manager; where its client area lies and whether
#                                               its box is up, the page is asked (web_window.mjs)
# Every wait is bounded, and every process it starts is stopped by its id when it ends.
set -euo pipefail

prefix=
web=
# Whether Enter on the focused button clicks it follows the platform (window/form1_behaviour.h):
# Windows and browsers do, the Linux toolkit's buttons outside dialogs do not.
enter_clicks_button=no
if [[ $1 == --wine ]]; then
    prefix=$2
    enter_clicks_button=yes
    shift 2
elif [[ $1 == --web ]]; then
    web=$2
    enter_clicks_button=yes
    shift 2
    node "$(dirname "$0")/../web/browsers.mjs" "$web" # exits 77 when the engine is not installed
fi
program=$1
shot_dir=$2
mkdir -p "$shot_dir"

title='Vantrel Hex to Decimal Converter'
# The client area and places in it, in pixels: the design's twips at 15 to the pixel.
client_size=(312 131)
text1_at=(144 50)
convert_at=(132 77)
text2_at=(144 106)

scripts=$(dirname "$0")/../../scripts
if [[ -n $prefix ]]; then
    source "$scripts/wine_session.sh"
    skip_without_wine32
fi
source "$scripts/xvfb_session.sh" e2e
start_xvfb 640x400x24
echo "e2e: X server on $DISPLAY"

if [[ -n $prefix ]]; then
    if [[ -f $prefix/system.reg ]]; then
        use_wine "$prefix"
    else
        make_wine_prefix "$prefix" || fail "could not make the Wine prefix $prefix"
    fi
    trap 'stop_wine; stop_all' EXIT
    wine "$program" >"$work/program.log" 2>&1 &
    # Wine's windows may not carry the Unix process id of the program.
    owner=()
elif [[ -n $web ]]; then
    # Browsers take real keys only with a window manager to give their windows the focus.
    openbox --sm-disable >"$work/openbox.log" 2>&1 &
    pids+=($!)
    coproc browser { exec node "$(dirname "$0")/web_window.mjs" "$web" "$program" 2>"$work/program.log"; }
    pids+=("$browser_PID")
    # The helper closes its browser when its input ends; killed, it would leave the browser running.
    close_browser()
    {
        local helper=$browser_PID
        eval "exec ${browser[1]}>&-"
        wait_for 20 eval "! kill -0 $helper 2>/dev/null" || true
    }
    trap 'close_browser; stop_all' EXIT
    read -r -t 60 ready browser_pid <&"${browser[0]}" && [[ $ready == ready ]] || fail "the page did not open in $web"
    # Found by the page's title, which the browser puts in its window's name; WebKit's window is not the
    # driver's but its browser's.
    owner=()
    title_pattern=$title
    web_probe()
    {
        local answer
        echo "$1" >&"${browser[1]}"
        read -r -t 20 answer <&"${browser[0]}" || return 2
        [[ $1 != box-open ]] || [[ $answer == yes ]] || return 1
        [[ $1 == box-open ]] || echo "$answer"
    }
else
    "$program" >"$work/program.log" 2>&1 &
    owner=(--pid "$!")
fi
if [[ -n $web ]]; then
    program_pid=$browser_pid
else
    program_pid=$!
    pids+=("$program_pid")
fi

# The visible window whose name matches the pattern $1, waiting up to $2 seconds for it. Searched for
# again while none is found: a search fails outright when a window vanishes under it, as the browser's
# do while it starts.
find_window()
{
    local found=
    search_window() { found=$(timeout 5 xdotool search --all --onlyvisible "${owner[@]}" --name "$1" 2>/dev/null | head -n1) && [[ -n $found ]]; }
    wait_for "$2" search_window "$1" && echo "$found"
}

window=$(find_window "${title_pattern:-^$title\$}" 30) || true
[[ -n $window ]] || fail "the main window did not appear"

# Where the client area starts inside the X window: Qt's window is the client area alone, while
# Wine without a window manager draws the frame inside its own window, with the caption on top and
# borders of one width on the other three sides.
eval "$(timeout 5 xdotool getwindowgeometry --shell "$window" | grep -E '^(WIDTH|HEIGHT)=')"
if [[ -n $web ]]; then
    # The browser's bars and the page's caption line lie above the client area: the page is asked where
    # it is, once the pointer has shown it where in the window the page lies.
    read_client_origin()
    {
        local at=($((WIDTH / 2)) $((HEIGHT * 3 / 4)))
        timeout 5 xdotool mousemove 0 0 mousemove --window "$window" --sync "${at[@]}" &&
            read -ra client_origin < <(web_probe "client-origin ${at[*]}") && [[ ${client_origin[0]} =~ ^-?[0-9]+$ ]]
    }
    wait_for 20 read_client_origin || fail "the page did not say where its client area is"
else
    border=$(((WIDTH - client_size[0]) / 2))
    client_origin=("$border" $((HEIGHT - client_size[1] - border)))
fi
echo "e2e: window ${WIDTH}x$HEIGHT, client area at ${client_origin[0]},${client_origin[1]}"

# Without a window manager the keyboard focus is handed to the window directly; with one (the
# browsers'), the window manager is asked to activate it.
focus_window()
{
    if [[ -n $web ]]; then
        timeout 5 xdotool windowactivate --sync "$1" || fail "could not activate window $1"
    else
        timeout 5 xdotool windowfocus --sync "$1" || fail "could not focus window $1"
    fi
}

# The pointer is first taken off the window: --sync waits for a move, and would wait for ever when
# the pointer is already there.
click_at()
{
    timeout 5 xdotool mousemove 0 0 mousemove --window "$window" --sync \
        $((client_origin[0] + $1)) $((client_origin[1] + $2)) click 1 || fail "could not click at $1,$2"
}

keys()
{
    timeout 5 xdotool key --delay 50 "$@" || fail "could not press $*"
}

# Only ASCII is typed: xdotool types other characters unreliably under Wine, so such text would go
# through the clipboard instead.
type_text()
{
    timeout 10 xdotool type --delay 20 "$1" || fail "could not type '$1'"
}

# Selects the whole of the focused one-line field.
select_all()
{
    keys ctrl+a
}

clipboard_is()
{
    [[ $(timeout 2 xclip -o -selection clipboard 2>/dev/null) == "$1" ]]
}

# Selects the whole output field and copies it, then waits for the clipboard to hold $1.
expect_text2()
{
    focus_window "$window"
    click_at "${text2_at[@]}"
    select_all
    keys ctrl+c
    wait_for 5 clipboard_is "$1" ||
        fail "Text2 holds '$(timeout 2 xclip -o -selection clipboard 2>/dev/null || true)', expected '$1' ($2)"
    echo "e2e: Text2 holds '$1' ($2)"
}

# The focus starts in Text1, so typing goes straight into it. Enter and Esc convert nothing; Tab
# then moves to Text2, where "x" lands after whatever the field holds.
focus_window "$window"
type_text 'FE FE 00 90 01 05 FD'
keys Return Escape Tab End
type_text x
expect_text2 x 'Enter and Esc converted nothing; Tab went from Text1 to Text2'

click_at "${convert_at[@]}"
expect_text2 '254 254 0 144 1 5' 'the example line, converted by a click'
import -window root "$shot_dir/e2e_window.png"

# From Text2 (clicked last), Tab reaches the button and then Text1 again, never the hidden Text3:
# a new line typed there, then Enter on the button, which converts it only where the platform says.
keys Tab Tab
select_all
type_text '0A 0B '
keys Tab Tab Return
if [[ $enter_clicks_button == yes ]]; then
    expect_text2 '10 11' 'Tab went Text2, Command1, Text1, Text2, Command1; Enter on the button clicked it'
else
    expect_text2 '254 254 0 144 1 5' 'Enter on the focused button converted nothing'
fi
# Text2 has the focus again: Tab to the button, where Space clicks it everywhere.
keys Tab space
expect_text2 '10 11' 'Tab went from Text2 to Command1; Space clicked it'

# A token wider than 32 bits brings up the error box; after OK the line goes on converting.
focus_window "$window"
click_at "${text1_at[@]}"
select_all
type_text '01 123456789 02 03'
click_at "${convert_at[@]}"
# A window of its own on the desktops; on the page, a dialog over the page in the same window.
if [[ -n $web ]]; then
    box=
    if wait_for 10 web_probe box-open; then box=$window; fi
    box_gone() { ! web_probe box-open; }
else
    box=$(find_window '^Error$' 10) || true
    box_gone() { ! xdotool search --all --onlyvisible "${owner[@]}" --name '^Error$' >/dev/null; }
fi
[[ -n $box ]] || fail "the error box did not appear"
import -window root "$shot_dir/e2e_error.png"

focus_window "$box"
keys Return
wait_for 5 box_gone || fail "the error box is still up after OK"
expect_text2 '1  2' 'the line went on after the error box'

kill -0 "$program_pid" 2>/dev/null || fail "the program ended on its own"
echo "e2e: screenshots in $shot_dir/e2e_window.png and $shot_dir/e2e_error.png"
echo "e2e: PASS"
