#!/usr/bin/env bash
# Start-up cost of the program next to a bare Qt window of the same size, under Xvfb: the time from
# launch until the X server maps the window, and the resident memory one second after that.
# Runs the two alternately so that both see the same machine, then prints medians and ratios.
#   bench/startup.sh [RUNS]      RUNS of each (default 11)
# Needs the test profile of scripts/bootstrap.sh (Xvfb, xev and xprop).
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-11}
build=build/bench

# The bench preset builds with the same build type as the program a user runs.
cmake --preset bench >/dev/null
cmake --build --preset bench >/dev/null

source scripts/xvfb_session.sh startup
start_xvfb 1024x768x24

source bench/startup_compare.sh
program=("$build/app/vantrel-hex2dec")
bare=("$build/bench/bare_window")
compare "$runs" linux
