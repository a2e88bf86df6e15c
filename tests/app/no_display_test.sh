#!/usr/bin/env bash
# The program started from a terminal with no window system at hand: --help and --version answer on
# standard output, a wrong option is refused in one line with status 2, and where no window can be
# opened Qt's own explanation comes with a last line of the program's naming the cause, and status 1.
#   no_display_test.sh PROGRAM VERSION
# A program built for another processor runs under the emulator that HEXDEC_EMULATOR names.
set -uo pipefail

program=$1
version=$2
read -ra emulator <<<"${HEXDEC_EMULATOR:-}"
runtime=$(mktemp -d) # an XDG_RUNTIME_DIR where no Wayland compositor listens
trap 'rm -rf "$runtime"' EXIT
failures=0

qt_gave_up='no Qt platform plugin could be initialized'

# what | environment | arguments | status | standard output has | last line of standard error has
# Status 124: the window opened, and the test ended the program after two seconds.
cases=(
    "help|DISPLAY=|--help|0|Usage: vantrel-hex2dec [OPTION]...|"
    "short help|DISPLAY=|-h|0|Usage: vantrel-hex2dec [OPTION]...|"
    "version|DISPLAY=|--version|0|vantrel-hex2dec (Vantrel Hex to Decimal Converter) $version|"
    "unknown option|DISPLAY=:9876|--frobnicate|2||vantrel-hex2dec: unknown option '--frobnicate'; try 'vantrel-hex2dec --help'"
    "joined value left empty|DISPLAY=:9876|-style=|2||vantrel-hex2dec: unknown option '-style='; try 'vantrel-hex2dec --help'"
    "value missing|DISPLAY=:9876|-platform|2||vantrel-hex2dec: option '-platform' needs a value; try 'vantrel-hex2dec --help'"
    "empty DISPLAY|DISPLAY=||1||vantrel-hex2dec: cannot open a window: no display is set (DISPLAY is empty)"
    "unreachable display|DISPLAY=:9876||1||vantrel-hex2dec: cannot open a window: display :9876 cannot be reached"
    "-- ends the options|DISPLAY=:9876|--|1||vantrel-hex2dec: cannot open a window: display :9876 cannot be reached"
    "an option after --|DISPLAY=:9876|-- --version|2||vantrel-hex2dec: unexpected argument '--version'; try 'vantrel-hex2dec --help'"
    "unknown platform, two dashes|DISPLAY=:9876|--platform nosuch|1||cannot open a window: the Qt platform plugin \"nosuch\" is not installed"
    "Wayland, no compositor|QT_QPA_PLATFORM=wayland XDG_RUNTIME_DIR=$runtime||1||cannot open a window: the Qt platform plugin \"wayland\" failed to start"
    "Qt's start-up warnings shown|QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR=$runtime|-style nosuch|124||Available styles:"
)

for case in "${cases[@]}"; do
    IFS='|' read -r what environment arguments want_status want_out want_err <<<"$case"
    read -ra environment <<<"$environment"
    read -ra arguments <<<"$arguments"
    out=$(mktemp) err=$(mktemp)
    seconds=20
    ((want_status == 124)) && seconds=2
    timeout "$seconds" env -u QT_QPA_PLATFORM -u WAYLAND_DISPLAY "${environment[@]}" "${emulator[@]}" "$program" "${arguments[@]}" >"$out" 2>"$err"
    status=$?
    problems=()
    ((status == want_status)) || problems+=("status $status, expected $want_status")
    if [[ -n $want_out ]]; then
        grep -qF -- "$want_out" "$out" || problems+=("standard output lacks: $want_out")
        [[ ! -s $err ]] || problems+=("standard error is not empty")
    else
        [[ ! -s $out ]] || problems+=("standard output is not empty")
        [[ $(tail -n1 "$err") == *"$want_err"* ]] || problems+=("last line of standard error is not: $want_err")
        # A refused option says so in one line; a failed start keeps Qt's own account above the line.
        if ((want_status == 2)); then
            (($(wc -l <"$err") == 1)) || problems+=("more than one line on standard error")
        elif ((want_status == 124)); then
            ! grep -qF "cannot open a window" "$err" || problems+=("the window did not open")
        else
            grep -qF "$qt_gave_up" "$err" || problems+=("Qt's own explanation is missing")
        fi
    fi
    if ((${#problems[@]} > 0)); then
        echo "FAIL $what: ${problems[*]}"
        echo "--- standard output:"; cat "$out"
        echo "--- standard error:"; cat "$err"
        failures=$((failures + 1))
    else
        echo "ok   $what: $(head -n1 "$out")$(tail -n1 "$err")"
    fi
    rm -f "$out" "$err"
done

exit $((failures > 0))
