#!/usr/bin/env bash
# Runs a command against one browser engine, headed on an X server of its own, as the page's tests and
# benchmarks drive it (tests/web/browsers.mjs). Exits 77 (skipped), saying why, when the engine is not
# installed.
#   in_browser.sh ENGINE COMMAND [ARGS...]    ENGINE: chromium, firefox or webkit, as $HEXDEC_ENGINE
set -euo pipefail
here=$(dirname "$0")
engine=$1
shift
node "$here/browsers.mjs" "$engine"
source "$here/../../scripts/xvfb_session.sh" "$engine"
start_xvfb 1280x2300x24 # room for a phone-sized window at a device pixel ratio of 3
HEXDEC_ENGINE=$engine "$@"
