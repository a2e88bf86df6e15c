#!/usr/bin/env bash
# Long lines pasted into the web page in Chromium's app window on Xvfb, and the page's load time: see
# web_long_paste.mjs for what each column measures.
#   bench/web_long_paste.sh [RUNS] [MEGABYTES...]    RUNS of each (default 5), lengths (default 1 10)
# Needs the test profile of scripts/bootstrap.sh (emscripten, Chromium, Xvfb, xclip, the npm packages).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset web >/dev/null
cmake --build --preset web >/dev/null

source scripts/xvfb_session.sh web_long_paste
start_xvfb 640x400x24
node bench/web_long_paste.mjs build/web/app/vantrel-hex2dec.html "$@"
