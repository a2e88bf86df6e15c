#!/usr/bin/env bash
# Runs one Windows program under Wine and returns its exit status: CTest's emulator for the
# cross-built test programs, and the fixture that makes and removes their prefix.
#   wine_run.sh PROGRAM [ARGS...]   in the prefix $WINEPREFIX, which --make made; Wine's processes
#                                   are ended when the program ends
#   wine_run.sh --make PREFIX       a fresh prefix (scripts/wine_session.sh make_wine_prefix)
#   wine_run.sh --remove PREFIX     ends whatever still runs in it and removes it (over 1 GB)
# Running a program and making a prefix exit 77 (skipped) for 32-bit programs without 32-bit Wine.
# Tests that share a prefix take a CTest RESOURCE_LOCK on it, since each ends its server.
set -uo pipefail
source "$(dirname "$0")/wine_session.sh"

case ${1:-} in
    --make)
        skip_without_wine32
        make_wine_prefix "$2"
        exit
        ;;
    --remove)
        use_wine "$2"
        stop_wine
        rm -rf "$2"
        exit 0
        ;;
esac

skip_without_wine32
if [[ -z ${WINEPREFIX:-} || ! -f $WINEPREFIX/system.reg ]]; then
    echo "wine_run: no prefix at '${WINEPREFIX:-}': make it with $0 --make PREFIX" >&2
    exit 1
fi
use_wine "$WINEPREFIX"
wine "$@"
status=$?
stop_wine
exit "$status"
