#!/usr/bin/env bash
# Installs what is missing, builds the program, and opens its window.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/bootstrap.sh run
cmake --preset app
cmake --build --preset app
exec build/app/app/vantrel-hex2dec
