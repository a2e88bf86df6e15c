#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the suite under the address and undefined
# behaviour sanitizers, a bounded fuzz run, the 32- and 64-bit Windows programs under Wine, the web page
# under node and in the browsers, then the suite as shipped, whose summary comes last.
# Every tree is configured, built and tested even when an earlier one failed; before the last tree, one
# line per tree says what passed, failed or was skipped, and why. Exits non-zero when any tree failed.
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/bootstrap.sh test || { echo "test: stopped, as the bootstrap could not install what the tests need" >&2; exit 1; }

failed=0
summary=()

# Configures, builds and tests the tree of preset $1; says how that went in one line of $summary.
run_tree()
{
    local preset=$1 junit="$PWD/build/$1/ctest-junit.xml"
    rm -f "$junit"
    if ! cmake --preset "$preset"; then
        summary+=("test: $preset: FAILED to configure")
        return 1
    fi
    if ! cmake --build --preset "$preset"; then
        summary+=("test: $preset: FAILED to build")
        return 1
    fi
    local status=0
    ctest --preset "$preset" --output-junit "$junit" || status=$?
    summary+=("test: $preset: $(python3 scripts/ctest_summary.py "$junit")")
    return "$status"
}

for preset in sanitize fuzz windows-x86 windows-x64 web; do
    run_tree "$preset" || failed=1
done
printf '%s\n' "${summary[@]}"
run_tree default || failed=1
exit "$failed"
