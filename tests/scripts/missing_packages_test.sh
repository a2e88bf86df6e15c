#!/usr/bin/env bash
# What the project's scripts do when packages are missing or a mirror is broken, with stand-ins for
# apt-get, dpkg, dpkg-query, sudo and npm on a PATH of their own, so the real package tools are never
# reached (the tests may run as root):
#   - scripts/bootstrap.sh, copied into a scratch tree: what it says, in what order, its status, and the
#     architectures it leaves added to dpkg;
#   - the 32-bit Wine probe of scripts/wine_session.sh: a skip with its reason, or a failure;
#   - scripts/ctest_summary.py: a skipped test counted as skipped, with its reason.
#   missing_packages_test.sh
set -uo pipefail

here=$(cd "$(dirname "$0")" && pwd)
scripts=$here/../../scripts
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

fail()
{
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# The stand-ins keep the machine's state in $STATE: installed (package names, or * for all), arches,
# broken (packages that cannot be installed), update_fails, and calls, a log of every call.
bin=$scratch/bin
mkdir -p "$bin"
for tool in bash env dirname basename grep cat touch mkdir sed; do
    ln -s "$(command -v "$tool")" "$bin/$tool"
done
stand_in()
{
    { echo "#!$(command -v bash)"; echo 'echo "$(basename "$0") $*" >>"$STATE/calls"'; cat; } >"$bin/$1"
    chmod +x "$bin/$1"
}
stand_in sudo <<'EOF'
exec "$@"
EOF
# As the real one with a second architecture added: asked for a name without an architecture and
# for the architecture too, a line for each architecture the package is installed in.
stand_in dpkg-query <<'EOF'
package=${!#} found=
while read -r entry; do
    if [[ $entry == '*' ]]; then
        entries=("$package") && [[ $package != *:* ]] && entries=("$package" "$package:i386" "$package:arm64")
    elif [[ $entry == "$package" || ($package != *:* && ${entry%%:*} == "$package") ]]; then
        entries=("$entry")
    else
        continue
    fi
    for entry in "${entries[@]}"; do
        arch=amd64
        [[ $entry == *:* ]] && arch=${entry#*:}
        if [[ $2 == *Architecture* ]]; then echo "$arch installed"; else echo -n installed; fi
    done
    found=yes
done < <(cat "$STATE/installed" 2>/dev/null)
[[ -n $found ]] && exit 0
echo "dpkg-query: no packages found matching $package" >&2
exit 1
EOF
stand_in dpkg <<'EOF'
case $1 in
    --print-architecture) echo amd64 ;;
    --print-foreign-architectures) cat "$STATE/arches" 2>/dev/null ;;
    --add-architecture) echo "$2" >>"$STATE/arches" ;;
    --remove-architecture) sed -i "/^$2\$/d" "$STATE/arches" ;;
esac
EOF
stand_in apt-get <<'EOF'
packages=() simulate=
for arg; do
    case $arg in
        update)
            [[ -f $STATE/update_fails ]] || exit 0
            echo "E: Failed to fetch .../binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?" >&2
            exit 100 ;;
        -s) simulate=yes ;;
        -*|install|Acquire::*) ;;
        *) packages+=("$arg") ;;
    esac
done
for package in "${packages[@]}"; do
    if grep -qxF "$package" "$STATE/broken" 2>/dev/null; then
        echo "The following packages have unmet dependencies:"
        libc=libc6 && [[ $package == *:* ]] && libc=libc6:${package#*:}
        echo " $package : Depends: $libc (= 2.36-9+deb12u13) but it is not going to be installed"
        echo "E: Unable to correct problems, you have held broken packages." >&2
        exit 100
    fi
done
[[ -n $simulate ]] || printf '%s\n' "${packages[@]}" >>"$STATE/installed"
EOF
stand_in npm <<'EOF'
exit 0
EOF

# Runs a copy of the bootstrap in a scratch tree with the machine state of one row (broken packages and
# foreign architectures separated by spaces); leaves its output in $output, its status in $status, the
# calls made in $calls and the foreign architectures it left in $arches.
run_bootstrap()
{
    local installed=$1 broken=$2 update=$3 arches_before=$4
    export STATE=$scratch/state
    rm -rf "$STATE" "$scratch/tree"
    mkdir -p "$STATE" "$scratch/tree/scripts"
    cp "$scripts/bootstrap.sh" "$scratch/tree/scripts/"
    echo '{}' >"$scratch/tree/package-lock.json"
    [[ $installed == all ]] && echo '*' >"$STATE/installed"
    [[ $broken != - ]] && tr ' ' '\n' <<<"$broken" >"$STATE/broken"
    [[ $arches_before != - ]] && tr ' ' '\n' <<<"$arches_before" >"$STATE/arches"
    [[ $update == fails ]] && touch "$STATE/update_fails"
    output=$(PATH=$bin "$bin/bash" "$scratch/tree/scripts/bootstrap.sh" test 2>&1)
    status=$?
    calls=$(cat "$STATE/calls" 2>/dev/null)
    arches=$(cat "$STATE/arches" 2>/dev/null | xargs)
    arches=${arches:--}
}

# Whether the lines of $1 match the patterns that follow, in that order (other lines may come between).
in_order()
{
    local text=$1 pattern
    shift
    for pattern; do
        text=$(grep -A100000 -m1 -E -e "$pattern" <<<"$text") || return 1
        text=$(tail -n +2 <<<"$text")
    done
}

# name | installed | broken | update | foreign architectures before | status | lines in order (| separated) |
# last lines, one pattern each (| separated) | foreign architectures after (* for any) | npm runs
wine32_note='note: optional wine32:i386 not installed \(wine32:i386 : Depends: libc6:i386 .* installed'
arm64_note='note: optional g\+\+-aarch64-linux-gnu qemu-user-static qt6-base-dev:arm64 .*qt6-wayland:arm64 not installed \(qt6-base-dev:arm64 : Depends: libc6:arm64 .* installed'
bootstrap_rows=(
    "the index update fails, then the install succeeds;none;-;fails;-;0;warning: apt-get update exited 100|installing .*qt6-base-dev|installing the npm packages;installed the optional wine32:i386$|installed the optional g\+\+-aarch64-linux-gnu .*qt6-wayland:arm64$;i386 arm64;yes"
    "32-bit Wine cannot be installed;none;wine32:i386;fails;-;0;adding the i386 architecture|installing .*chromium|installing the npm packages|removed the i386 architecture;$wine32_note, after a failed index update\): the tests that run 32-bit programs under Wine will be skipped$|installed the optional g\+\+-aarch64-linux-gnu;arm64;yes"
    "the arm64 packages cannot be installed;none;qt6-base-dev:arm64;ok;-;0;adding the arm64 architecture|installing the npm packages|removed the arm64 architecture;installed the optional wine32:i386$|$arm64_note\\): the linux-arm64 tree will be skipped$;i386;yes"
    "neither optional group, arm64 added before;none;wine32:i386 qt6-base-dev:arm64;fails;arm64;0;adding the i386 architecture|removed the i386 architecture;$wine32_note, after a failed index update\): .* will be skipped$|$arm64_note, after a failed index update\): the linux-arm64 tree will be skipped$;arm64;yes"
    "a required package cannot be installed;none;qt6-base-dev qt6-base-dev:arm64;ok;-;1;installing .*qt6-base-dev|FAIL: cannot install qt6-base-dev: qt6-base-dev : Depends: ;FAIL: cannot install qt6-base-dev:;*;no"
    "everything is already there;all;-;ok;-;0;every package is already installed|installing the npm packages;installing the npm packages;-;yes"
)
for row in "${bootstrap_rows[@]}"; do
    IFS=';' read -r name installed broken update arches_before want_status want_lines want_tail want_arches want_npm <<<"$row"
    run_bootstrap "$installed" "$broken" "$update" "$arches_before"
    problems=()
    [[ $status == "$want_status" ]] || problems+=("exited $status, expected $want_status")
    IFS='|' read -ra patterns <<<"$want_lines"
    in_order "$output" "${patterns[@]}" || problems+=("its lines are not, in this order: $want_lines")
    IFS='|' read -ra patterns <<<"$want_tail"
    mapfile -t tail_lines < <(tail -n "${#patterns[@]}" <<<"$output")
    for i in "${!patterns[@]}"; do
        grep -qE -e "${patterns[i]}" <<<"${tail_lines[i]:-}" || problems+=("its line $((i + 1)) of the last ${#patterns[@]} does not match: ${patterns[i]}")
    done
    [[ $want_arches == '*' || $arches == "$want_arches" ]] || problems+=("foreign architectures left: $arches, expected $want_arches")
    npm_ran=no
    grep -q '^npm ci' <<<"$calls" && npm_ran=yes
    [[ $npm_ran == "$want_npm" ]] || problems+=("npm ran: $npm_ran, expected $want_npm")
    [[ $installed == all ]] && grep -q '^apt-get' <<<"$calls" && problems+=("apt-get ran with nothing missing")
    if ((${#problems[@]})); then
        fail "bootstrap, $name: $(IFS=';'; echo "${problems[*]}")"
        sed 's/^/    | /' <<<"$output"
    else
        echo "ok: bootstrap, $name"
    fi
done

# The 32-bit Wine probe: name | arch | wine32 loader there | dpkg says installed | status | first line
probe_rows=(
    "32-bit Wine missing;win32;no;no;77;^SKIP: 32-bit Wine \(wine32:i386\) is not installed$"
    "32-bit Wine installed but its loader missing;win32;no;yes;1;FAIL: 32-bit Wine .* is installed"
    "32-bit Wine there;win32;yes;yes;0;^probe passed$"
    "a 64-bit test without 32-bit Wine;win64;no;no;0;^probe passed$"
)
loader=$scratch/wine32-loader
for row in "${probe_rows[@]}"; do
    IFS=';' read -r name arch has_loader dpkg_says want_status want_first <<<"$row"
    export STATE=$scratch/state
    rm -rf "$STATE" "$loader"
    mkdir -p "$STATE"
    [[ $dpkg_says == yes ]] && echo 'wine32:i386' >"$STATE/installed"
    [[ $has_loader == yes ]] && { touch "$loader"; chmod +x "$loader"; }
    output=$(PATH=$bin HEXDEC_WINE_ARCH=$arch HEXDEC_WINE32_LOADER=$loader "$bin/bash" -c \
        'source "$1"; skip_without_wine32; echo "probe passed"' probe "$scripts/wine_session.sh" 2>&1)
    status=$?
    if [[ $status == "$want_status" ]] && grep -qE -e "$want_first" <<<"$(head -n1 <<<"$output")"; then
        echo "ok: wine32 probe, $name"
    else
        fail "wine32 probe, $name: exited $status (expected $want_status), said: $output"
    fi
done

# A tree's line in scripts/test.sh: a skipped test is never counted as passed, and says why.
cat >"$scratch/report.xml" <<'EOF'
<testsuite tests="3">
  <testcase name="exe_imports" status="run"><system-out>ok</system-out></testcase>
  <testcase name="core_tests" status="notrun"><skipped message="SKIP_RETURN_CODE=77"/>
    <system-out>SKIP: 32-bit Wine (wine32:i386) is not installed
more</system-out></testcase>
  <testcase name="e2e_program" status="fail"><failure message=""/><system-out>e2e: FAIL</system-out></testcase>
</testsuite>
EOF
summary=$(python3 "$scripts/ctest_summary.py" "$scratch/report.xml")
want='1 passed, 1 failed (e2e_program), 1 skipped (SKIP: 32-bit Wine (wine32:i386) is not installed)'
[[ $summary == "$want" ]] && echo "ok: a tree's summary line" || fail "summary line: '$summary', expected '$want'"

((failures == 0)) || { echo "$failures failed"; exit 1; }
echo "all passed"
