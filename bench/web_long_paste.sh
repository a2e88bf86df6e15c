#!/usr/bin/env bash
# Long lines pasted into the web page in each browser engine on Xvfb, and the page's load time: see
# web_long_paste.mjs for what each column measures.
#   bench/web_long_paste.sh [RUNS] [MEGABYTES...]    RUNS of each (default 5), lengths (default 1 10)
#   HEXDEC_ENGINES="firefox webkit" bench/web_long_paste.sh ...    only these engines
# Needs the test profile of scripts/bootstrap.sh (emscripten, the browsers, Xvfb, xclip, the npm packages).
set -euo pipefail
cd "$(dirname "$0")/.."

cmake --preset web >/dev/null
cmake --build --preset web >/dev/null

for engine in ${HEXDEC_ENGINES:-chromium firefox webkit}; do
    echo "== $engine"
    bash tests/web/in_browser.sh "$engine" node bench/web_long_paste.mjs build/web/app/vantrel-hex2dec.html "$@"
done
