#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the suite under the address and undefined
# behaviour sanitizers, a bounded fuzz run, the 32- and 64-bit Windows programs under Wine, the web page
# under node and Chromium, then the suite as shipped, whose summary comes last.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/bootstrap.sh test
for preset in sanitize fuzz windows-x86 windows-x64 web default; do
    cmake --preset "$preset"
    cmake --build --preset "$preset"
done
for preset in sanitize fuzz windows-x86 windows-x64 web default; do
    ctest --preset "$preset"
done
