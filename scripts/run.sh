#!/usr/bin/env bash
# Installs what is missing, builds, and opens the program's window.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/bootstrap.sh run
cmake --preset app
cmake --build --preset app
echo "run: the window is not built yet; the conversion core is built in build/app"
