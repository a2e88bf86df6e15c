#!/usr/bin/env bash
# The built program on a Linux desktop's own stacks: a private D-Bus session with the AT-SPI bus, and
# either an X server or a headless Wayland compositor. A screen reader's whole job is done through
# AT-SPI; under Wayland the app id the window announces is checked too.
#   stack_test.sh PROGRAM x11|wayland
# A program built for another processor runs under the emulator that HEXDEC_EMULATOR names.
# Every wait is bounded, and every process it starts is stopped by its id when it ends.
set -euo pipefail

program=$1
stack=$2
read -ra emulator <<<"${HEXDEC_EMULATOR:-}"
here=$(dirname "$0")
source "$here/../../scripts/xvfb_session.sh" "$stack"

# Asks the bus at address $1 whether the name $2 has an owner.
bus_has()
{
    dbus-send --bus="$1" --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
        "string:$2" 2>/dev/null | grep -q 'boolean true'
}

# A session bus of our own, which activates nothing: every service on it is started here.
start_session_bus()
{
    cat >"$work/session.conf" <<CONF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig>
  <type>session</type>
  <listen>unix:dir=$work</listen>
  <auth>EXTERNAL</auth>
  <policy context="default">
    <allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/>
    <allow own="*"/>
  </policy>
</busconfig>
CONF
    dbus-daemon --config-file="$work/session.conf" --nofork --print-address=3 3>"$work/session_bus" \
        2>"$work/dbus.log" &
    pids+=($!)
    wait_for 10 grep -qs '^unix:' "$work/session_bus" || fail "the session bus did not start"
    DBUS_SESSION_BUS_ADDRESS=$(head -n1 "$work/session_bus")
    export DBUS_SESSION_BUS_ADDRESS
}

a11y_address()
{
    dbus-send --session --print-reply=literal --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress \
        2>/dev/null | grep -o 'unix:[^ ]*'
}

# The accessibility bus, as a desktop session starts it, and the registry that screen readers ask for
# the running applications. Neither is given the X server: the program finds the bus through the
# session bus, as it does under Wayland, and no root window property can point anyone elsewhere.
start_atspi()
{
    unset AT_SPI_BUS_ADDRESS # one left from the caller's desktop would bypass the session bus
    env -u DISPLAY /usr/libexec/at-spi-bus-launcher --launch-immediately --a11y=1 2>"$work/atspi.log" &
    pids+=($!)
    wait_for 10 a11y_address >/dev/null || fail "the accessibility bus did not start"
    a11y_bus=$(a11y_address)
    # The launcher's own bus daemon is stopped by its id too, should the launcher not take it down.
    local bus_pid
    bus_pid=$(dbus-send --bus="$a11y_bus" --print-reply=literal --dest=org.freedesktop.DBus / \
        org.freedesktop.DBus.GetConnectionUnixProcessID string:org.freedesktop.DBus | awk '{print $2}')
    [[ $bus_pid =~ ^[0-9]+$ ]] || fail "the accessibility bus did not give its process id"
    pids+=("$bus_pid")
    env -u DISPLAY AT_SPI_BUS_ADDRESS="$a11y_bus" /usr/libexec/at-spi2-registryd >"$work/registry.log" 2>&1 &
    pids+=($!)
    wait_for 10 bus_has "$a11y_bus" org.a11y.atspi.Registry || fail "the accessibility registry did not start"
}

# weston on its headless backend, with a socket in a runtime folder of our own. The kiosk shell shows
# every window at once, with no shell client of its own to start.
start_weston()
{
    export XDG_RUNTIME_DIR="$work/runtime"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
    weston --backend=headless-backend.so --shell=kiosk-shell.so --no-config --socket=wayland-hexdec \
        --log="$work/weston.log" &
    pids+=($!)
    wait_for 10 test -S "$XDG_RUNTIME_DIR/wayland-hexdec" || fail "weston did not start"
    export WAYLAND_DISPLAY=wayland-hexdec QT_QPA_PLATFORM=wayland
    unset DISPLAY
}

case "$stack" in
    x11) start_xvfb 640x400x24 ;;
    wayland) start_weston ;;
    *) fail "unknown stack '$stack'" ;;
esac
start_session_bus
start_atspi

# Under Wayland the client's own protocol log shows what the window tells the compositor.
debug=()
[[ $stack == wayland ]] && debug=(WAYLAND_DEBUG=client)
env "${debug[@]}" QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "${emulator[@]}" "$program" >"$work/program.log" 2>&1 &
program_pid=$!
pids+=("$program_pid")

AT_SPI_BUS_ADDRESS="$a11y_bus" timeout 20 /usr/bin/python3 "$here/screen_reader_job.py" "$program_pid" ||
    fail "the screen reader's job failed"

if [[ $stack == wayland ]]; then
    app_id=$(grep -o 'xdg_toplevel@[0-9]*\.set_app_id("[^"]*")' "$work/program.log" |
        sed 's/.*("\(.*\)")/\1/' || true)
    [[ $app_id == com.vantrel.hex2dec ]] || fail "the window's app id is '$app_id', expected 'com.vantrel.hex2dec'"
    echo "$stack: app id '$app_id'"
fi

kill -0 "$program_pid" 2>/dev/null || fail "the program ended on its own"
echo "$stack: PASS"
