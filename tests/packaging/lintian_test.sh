#!/usr/bin/env bash
# lintian on the built Debian package, its whole output printed: any error or warning fails, and so
# does any remark that the distribution's hardening flags are missing from the program.
#   lintian_test.sh DEB_DIR
set -uo pipefail

debs=("$1"/*.deb)
if ((${#debs[@]} != 1)) || [[ ! -f ${debs[0]} ]]; then
    echo "lintian: FAIL: expected one .deb in $1, found: ${debs[*]}"
    exit 1
fi

report=$(timeout 120 lintian --display-info --pedantic --fail-on none "${debs[0]}" 2>&1)
status=$?
echo "lintian $(lintian --print-version) on ${debs[0]}:"
echo "$report"
if ((status != 0)); then
    echo "lintian: FAIL: lintian itself failed (status $status)"
    exit 1
fi
if grep -Eq '^[EW]: |hardening-' <<<"$report"; then
    echo "lintian: FAIL: errors, warnings or missing hardening above"
    exit 1
fi
echo "lintian: PASS"
