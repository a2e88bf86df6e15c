#!/usr/bin/env bash
# Started where no window can be opened, the program says so in one line and exits with status 1.
set -uo pipefail

program="$1"
failures=0

check() {
    local what="$1"
    shift
    local stderr status
    stderr="$(env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY "$@" "$program" 2>&1 >/dev/null)"
    status=$?
    local lines
    lines="$(printf '%s\n' "$stderr" | grep -c .)"
    if [[ $status -ne 1 || $lines -ne 1 || "$stderr" != *"cannot open a window"* ]]; then
        echo "FAIL $what: status $status, $lines line(s) on stderr:"
        printf '%s\n' "$stderr"
        failures=$((failures + 1))
    else
        echo "ok   $what: $stderr"
    fi
}

check "no display set" env -u DISPLAY
check "display that cannot be reached" env DISPLAY=:9876

exit $((failures > 0))
