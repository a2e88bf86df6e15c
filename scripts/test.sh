#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test: the suite under the address and undefined
# behaviour sanitizers, a bounded fuzz run, the 32- and 64-bit Windows programs under Wine, the web page
# under node and in the browsers, the Linux program cross-built for arm64 under qemu-user (skipped, with the
# reason, when its optional packages are not installed), then the suite as shipped, with the release made
# of all those trees and built again elsewhere to compare, whose summary comes last.
# Every tree is configured, built and tested even when an earlier one failed; before the last tree, one
# line per tree says what passed, failed or was skipped, and why. Exits non-zero when any tree failed.
set -uo pipefail
cd "$(dirname "$0")/.."

scripts/bootstrap.sh test || { echo "test: stopped, as the bootstrap could not install what the tests need" >&2; exit 1; }

# The trees are the release's own, configured with the commit's time as scripts/release.sh configures
# its trees, so that the last tree's release test can package the very trees tested.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct) && export SOURCE_DATE_EPOCH

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

source scripts/arm64_tree.sh

for preset in sanitize fuzz windows-x86 windows-x64 web linux-arm64; do
    if [[ $preset == linux-arm64 ]] && reason=$(arm64_missing); then
        summary+=("test: $preset: skipped ($reason)")
        continue
    fi
    run_tree "$preset" || failed=1
done
printf '%s\n' "${summary[@]}"
run_tree default || failed=1
exit "$failed"
