#!/usr/bin/env bash
# The sealing step refuses a page holding what its Content-Security-Policy would refuse or it cannot
# hash, and seals one that holds none of it: each row plants one thing in the page's markup.
#   seal_page_test.sh
set -uo pipefail
here=$(dirname "$0")
root=$here/../..
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# name | sed expression planted in the markup | what seal_page.py must say ('' for success)
rows=(
    "the page as it is||"
    "a style attribute|s|<main id=\"Form1\"|<main style=\"color: red\" id=\"Form1\"|a style attribute"
    "an event handler|s|<main id=\"Form1\"|<main onclick=\"go()\" id=\"Form1\"|an event handler attribute"
    "a script with attributes|s|</body>|<script type=\"module\">go()</script></body>|a script or style tag with attributes"
    "a style with attributes|s|</head>|<style media=\"print\">p {}</style></head>|a script or style tag with attributes"
    "an upper-case script with attributes|s|</body>|<SCRIPT type=\"module\">go()</SCRIPT></body>|a script or style tag with attributes"
    "an upper-case style with attributes|s|</head>|<STYLE media=\"print\">p {}</STYLE></head>|a script or style tag with attributes"
    "a placeholder left|s|</head>|<meta name=\"x\" content=\"@ANOTHER@\"></head>|@ANOTHER@: a placeholder left unfilled"
)
failures=0
for row in "${rows[@]}"; do
    IFS='|' read -r name plant_s plant_from plant_to want <<<"$row"
    # The page as the build hands it over: its script in place of the placeholder for it.
    sed 's|{{{ SCRIPT }}}|<script>const style = 1; field.onclick = go;</script>|' "$root/window/web/page.html" >"$scratch/page.html"
    [[ -n $plant_s ]] && sed -i "s|$plant_from|$plant_to|" "$scratch/page.html"
    said=$(python3 "$root/window/web/seal_page.py" "$scratch/page.html" "$root/app/icons/program.svg" 2>&1)
    status=$?
    if [[ -z $want && $status == 0 ]] && ! grep -q '@[A-Z_]*@' "$scratch/page.html"; then
        echo "ok: $name"
    elif [[ -n $want && $status != 0 && $said == *"$want"* ]]; then
        echo "ok: $name"
    else
        echo "FAIL: $name: exited $status, said: $said"
        failures=$((failures + 1))
    fi
done
((failures == 0)) || exit 1
