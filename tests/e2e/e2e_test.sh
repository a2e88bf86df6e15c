#!/usr/bin/env bash
# The built program under a real X server, used as a person would: types a line, clicks "Convert"
# with the mouse, reads the output back through the clipboard, then triggers the error box and
# dismisses it. Screenshots of the window and of the box are saved for a person to look at.
#   e2e_test.sh PROGRAM SCREENSHOT_DIR
# Every wait is bounded, and every process it starts is stopped by its id when it ends.
set -euo pipefail

program=$1
shot_dir=$2

# Places in the window's client area, in pixels: the design's twips at 15 to the pixel.
text1_at=(144 50)
convert_at=(132 77)
text2_at=(144 106)

source "$(dirname "$0")/../../scripts/xvfb_session.sh" e2e
start_xvfb 640x400x24
echo "e2e: X server on $DISPLAY"

"$program" >"$work/program.log" 2>&1 &
program_pid=$!
pids+=("$program_pid")

window=$(timeout 15 xdotool search --all --sync --onlyvisible --pid "$program_pid" \
    --name '^Vantrel Hex to Decimal Converter$' | head -n1) || true
[[ -n $window ]] || fail "the main window did not appear"

# There is no window manager, so the keyboard focus is handed to the window directly.
focus_window()
{
    timeout 5 xdotool windowfocus --sync "$1" || fail "could not focus window $1"
}

click_at()
{
    timeout 5 xdotool mousemove --window "$window" --sync "$1" "$2" click 1 || fail "could not click at $1,$2"
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
    timeout 5 xdotool key ctrl+a ctrl+c
    wait_for 5 clipboard_is "$1" ||
        fail "Text2 holds '$(timeout 2 xclip -o -selection clipboard 2>/dev/null || true)', expected '$1'"
    echo "e2e: Text2 holds '$1'"
}

# The focus starts in Text1, so typing goes straight into it.
focus_window "$window"
timeout 10 xdotool type --delay 20 'FE FE 00 90 01 05 FD'
click_at "${convert_at[@]}"
expect_text2 '254 254 0 144 1 5'
import -window root "$shot_dir/e2e_window.png"

# A token wider than 32 bits brings up the error box; after OK the line goes on converting.
focus_window "$window"
click_at "${text1_at[@]}"
timeout 5 xdotool key ctrl+a
timeout 10 xdotool type --delay 20 '01 123456789 02 03'
click_at "${convert_at[@]}"
box=$(timeout 10 xdotool search --all --sync --onlyvisible --pid "$program_pid" --name '^Error$' | head -n1) || true
[[ -n $box ]] || fail "the error box did not appear"
import -window root "$shot_dir/e2e_error.png"

focus_window "$box"
timeout 5 xdotool key Return
box_gone()
{
    ! xdotool search --all --onlyvisible --pid "$program_pid" --name '^Error$' >/dev/null
}
wait_for 5 box_gone || fail "the error box is still up after OK"
expect_text2 '1  2'

kill -0 "$program_pid" 2>/dev/null || fail "the program ended on its own"
echo "e2e: screenshots in $shot_dir/e2e_window.png and $shot_dir/e2e_error.png"
echo "e2e: PASS"
