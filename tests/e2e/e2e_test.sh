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
# A Linux program built for another processor runs under the emulator that HEXDEC_EMULATOR names.
# Every wait is bounded, and every process it starts is stopped by its id when it ends. A wait ends as
# soon as what it waits for holds; its bound is only when to give up, set for a 2-core machine busy
# with a build. A failure leaves the screen as it was in SHOT_DIR/e2e_failure.png.
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
read -ra emulator <<<"${HEXDEC_EMULATOR:-}"
mkdir -p "$shot_dir"

title='Vantrel Hex to Decimal Converter'
# The client area and places in it, in pixels: the design's twips at 15 to the pixel.
client_size=(312 131)
text1_at=(144 50)
convert_at=(132 77)
# Two clicks at one place within the double-click time make a double click, which a Windows edit
# control takes as a word to select, without taking the focus (the first press would have given it).
# Text2 is clicked at these two places in turn, further apart than any platform's double-click
# distance, so that each click on it is a click of its own however soon it follows the last one.
text2_at=('144 106' '184 106')
text2_clicks=0

# In seconds: for a window to appear (a program's, a browser's with a fresh profile, a message box's),
# and for one step to take effect (a key, a click, a copy, an answer from the page).
window_bound=60
step_bound=30
# Keys (one a key pressed with its modifiers, or a character typed) and clicks sent so far.
keys_sent=0
clicks_sent=0

scripts=$(dirname "$0")/../../scripts
if [[ -n $prefix ]]; then
    source "$scripts/wine_session.sh"
    skip_without_wine32
fi
source "$scripts/xvfb_session.sh" e2e
fail_screenshot=$shot_dir/e2e_failure.png
rm -f "$fail_screenshot"
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
    to_page=${browser[1]}
    from_page=${browser[0]}
    # The helper closes its browser when its input ends; killed, it would leave the browser running.
    close_browser()
    {
        local helper=$browser_PID
        eval "exec $to_page>&-"
        wait_for 60 eval "! kill -0 $helper 2>/dev/null" || true
    }
    trap 'close_browser; stop_all' EXIT
    # The helper gives up on its own when the browser does not start or the page does not open (each
    # bounded in browsers.mjs), and its input then ends at once, with the reason in its log.
    read -r -t 180 ready browser_pid <&"$from_page" && [[ $ready == ready ]] || fail "the page did not open in $web"
    # Found by the page's title, which the browser puts in its window's name; WebKit's window is not the
    # driver's but its browser's.
    owner=()
    title_pattern=$title
    # Asks the page a question of web_window.mjs and sets $answer. Questions are answered in turn, so a
    # question left unanswered ends the test: its late answer would be taken for the next one's.
    web_ask()
    {
        kill -0 "$browser_PID" 2>/dev/null && echo "$1" >&"$to_page" && read -r -t "$step_bound" answer <&"$from_page" ||
            fail "the page did not answer '$1' within $step_bound s"
    }
    # What of the real input has reached the page. A browser may hand the page its keys and its pointer
    # through separate queues (WebKit does), so that a key typed right after a click can reach the page
    # before the click; so every key waits for the clicks sent before it, and every click for the keys.
    read_page_input() { web_ask input && read -r page_focused page_keys page_clicks page_moves <<<"$answer"; }
    page_has_focus() { read_page_input && [[ $page_focused == yes ]]; }
    keys_arrived() { read_page_input && ((page_keys >= keys_sent)); }
    clicks_arrived() { read_page_input && ((page_clicks >= clicks_sent)); }
else
    "${emulator[@]}" "$program" >"$work/program.log" 2>&1 &
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
    search_window() { found=$(timeout 10 xdotool search --all --onlyvisible "${owner[@]}" --name "$1" 2>/dev/null | head -n1) && [[ -n $found ]]; }
    wait_for "$2" search_window "$1" && echo "$found"
}

window=$(find_window "${title_pattern:-^$title\$}" "$window_bound") || true
if [[ -z $window ]]; then
    kill -0 "$program_pid" 2>/dev/null || fail "the program ended before its main window appeared"
    fail "the main window did not appear within $window_bound s"
fi

# Where the client area starts inside the X window: Qt's window is the client area alone, while
# Wine without a window manager draws the frame inside its own window, with the caption on top and
# borders of one width on the other three sides.
geometry=$(timeout 10 xdotool getwindowgeometry --shell "$window") || fail "could not read the size of window $window"
eval "$(grep -E '^(WIDTH|HEIGHT)=' <<<"$geometry")"
if [[ -n $web ]]; then
    # The browser's bars and the page's caption line lie above the client area: the page is asked where
    # it is, once the pointer has shown it where in the window the page lies. The page is told of the
    # move some time after it was made (WebKit's page answers a question first), and a move the browser
    # made up before can still come first (Chromium tells a new page where the pointer lay before the
    # test moved it); so the page is asked once it has seen a move since this one was made, and twice,
    # after moves to two places: only the same answer both times is taken, the pointer then having
    # moved on the page as it did in the window.
    pointer_moved() { read_page_input && ((page_moves > $1)); }
    origin_from_pointer_at()
    {
        read_page_input || return 1
        local moves=$page_moves
        timeout 10 xdotool mousemove 0 0 mousemove --window "$window" --sync "$1" "$2" || return 1
        wait_for "$step_bound" pointer_moved "$moves" || fail "the page saw no move of the pointer to $1,$2 within $step_bound s"
        web_ask "client-origin $1 $2"
        read -ra origin_seen <<<"$answer"
        [[ ${origin_seen[0]} =~ ^-?[0-9]+$ ]]
    }
    read_client_origin()
    {
        origin_from_pointer_at $((WIDTH / 2)) $((HEIGHT * 3 / 4)) || return 1
        client_origin=("${origin_seen[@]}")
        origin_from_pointer_at $((WIDTH / 2 + 16)) $((HEIGHT * 3 / 4 - 8)) && [[ ${origin_seen[*]} == "${client_origin[*]}" ]]
    }
    wait_for "$step_bound" read_client_origin || fail "the page did not say where its client area is within $step_bound s"
else
    border=$(((WIDTH - client_size[0]) / 2))
    client_origin=("$border" $((HEIGHT - client_size[1] - border)))
fi
echo "e2e: window ${WIDTH}x$HEIGHT, client area at ${client_origin[0]},${client_origin[1]}"

# Without a window manager the keyboard focus is handed to the window directly; with one (the
# browsers'), the window manager is asked to activate it, and the browser then hands the focus to the
# page, which keys must wait for.
focus_window()
{
    if [[ -n $web ]]; then
        timeout "$step_bound" xdotool windowactivate --sync "$1" || fail "window $1 was not activated within $step_bound s"
        wait_for "$step_bound" page_has_focus || fail "the page did not get the keyboard focus within $step_bound s"
    else
        timeout "$step_bound" xdotool windowfocus --sync "$1" || fail "window $1 did not get the focus within $step_bound s"
    fi
}

# The pointer is first taken off the window: --sync waits for a move, and would wait for ever when
# the pointer is already there. On the page, a click waits for the keys sent before it.
click_at()
{
    if [[ -n $web ]]; then
        wait_for "$step_bound" keys_arrived ||
            fail "the page got $page_keys of the $keys_sent keys sent, after $step_bound s, before the click at $1,$2"
    fi
    timeout "$step_bound" xdotool mousemove 0 0 mousemove --window "$window" --sync \
        $((client_origin[0] + $1)) $((client_origin[1] + $2)) click 1 || fail "could not click at $1,$2"
    clicks_sent=$((clicks_sent + 1))
}

# On the page, keys wait for the clicks sent before them; $1 names the keys for the failure's message.
clicks_before_keys()
{
    if [[ -n $web ]]; then
        wait_for "$step_bound" clicks_arrived ||
            fail "the page got $page_clicks of the $clicks_sent clicks sent, after $step_bound s, before the keys '$1'"
    fi
}

keys()
{
    clicks_before_keys "$*"
    timeout "$step_bound" xdotool key --delay 50 "$@" || fail "could not press $*"
    keys_sent=$((keys_sent + $#))
}

# Only ASCII is typed: xdotool types other characters unreliably under Wine, so such text would go
# through the clipboard instead.
type_text()
{
    clicks_before_keys "$1"
    timeout "$step_bound" xdotool type --delay 20 "$1" || fail "could not type '$1'"
    keys_sent=$((keys_sent + ${#1}))
}

# Selects the whole of the focused one-line field.
select_all()
{
    keys ctrl+a
}

clipboard()
{
    timeout 10 xclip -o -selection clipboard 2>/dev/null
}

clipboard_is()
{
    [[ $(clipboard) == "$1" ]]
}

# Puts $1 on the clipboard, from a process of xclip's own that serves it until another client takes
# the clipboard (or the X server ends).
set_clipboard()
{
    printf %s "$1" | timeout 10 xclip -selection clipboard -i >/dev/null 2>&1 || fail "xclip could not take the clipboard"
    wait_for "$step_bound" clipboard_is "$1" || fail "the clipboard does not hold '$1' after $step_bound s"
}

# Selects the whole output field and copies it, then waits for the clipboard to hold $1. The clipboard
# first holds a line of the test's own, so that only this copy can put $1 there, even where the
# previous copy held the same.
expect_text2()
{
    set_clipboard 'e2e: not copied yet'
    focus_window "$window"
    click_at ${text2_at[text2_clicks++ % 2]}
    select_all
    keys ctrl+c
    wait_for "$step_bound" clipboard_is "$1" ||
        fail "Text2 holds '$(clipboard || true)', expected '$1' ($2)"
    echo "e2e: Text2 holds '$1' ($2)"
}

screenshot()
{
    timeout "$step_bound" import -window root "$1" || fail "could not save a screenshot in $1"
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
screenshot "$shot_dir/e2e_window.png"

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
    box_open() { web_ask box-open && [[ $answer == yes ]]; }
    box=
    if wait_for "$window_bound" box_open; then box=$window; fi
    box_gone() { ! box_open; }
else
    box=$(find_window '^Error$' "$window_bound") || true
    # Gone only when a search ran and found none: a search that timed out says nothing.
    box_gone()
    {
        local status=0
        timeout 10 xdotool search --all --onlyvisible "${owner[@]}" --name '^Error$' >/dev/null 2>&1 || status=$?
        ((status == 1))
    }
fi
[[ -n $box ]] || fail "the error box did not appear within $window_bound s"
screenshot "$shot_dir/e2e_error.png"

focus_window "$box"
keys Return
wait_for "$step_bound" box_gone || fail "the error box is still up $step_bound s after OK"
expect_text2 '1  2' 'the line went on after the error box'

kill -0 "$program_pid" 2>/dev/null || fail "the program ended on its own"
echo "e2e: screenshots in $shot_dir/e2e_window.png and $shot_dir/e2e_error.png"
echo "e2e: PASS"
