#!/usr/bin/env bash
# Runs a command with an X server of its own: Windows programs that open windows, under Wine.
#   with_display.sh COMMAND [ARGS...]
set -euo pipefail
source "$(dirname "$0")/../../scripts/xvfb_session.sh" with_display
start_xvfb 1024x768x24
"$@"
