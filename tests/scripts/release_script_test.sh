#!/usr/bin/env bash
# What scripts/release.sh does when it cannot make a release, in a scratch clone of the commit with
# stand-in trees (only their CMake caches), so that nothing is built:
#   release_script_test.sh SOURCE_DIR
# Each row: whether it refuses, what it says, and that no SHA256SUMS vouches for a partial release.
set -uo pipefail

source_dir=$(cd "$1" && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failures=0

clone=$scratch/clone
git clone --quiet "$source_dir" "$clone" && git -C "$clone" checkout --quiet --detach "$(git -C "$source_dir" rev-parse HEAD)" ||
    { echo "FAIL: cannot clone $source_dir"; exit 1; }
epoch=$(git -C "$clone" log -1 --format=%ct)

# Stand-in trees: "none", or every tree's cache with SOURCE_DATE_EPOCH $1 and the maintainer $2.
make_trees()
{
    rm -rf "$clone/build"
    [[ $1 == none ]] && return
    local preset
    for preset in default linux-arm64 windows-x86 windows-x64 web; do
        mkdir -p "$clone/build/$preset"
        printf 'HEXDEC_SOURCE_DATE_EPOCH:INTERNAL=%s\nHEXDEC_PACKAGE_MAINTAINER:STRING=%s\n' "$1" "$2" \
            >"$clone/build/$preset/CMakeCache.txt"
    done
}

# name | trees' epoch (none: no trees) | maintainer | before (dirty, foreign: a file in dist) | what it must say (| separated)
rows=(
    "uncommitted changes;none;-;dirty;the work tree has uncommitted changes"
    "no trees;none;-;-;cannot make vantrel-hex2dec_1.00_amd64.deb: build/default is not built|cannot make vantrel-hex2dec-1.00-win32.zip: build/windows-x86 is not built|cannot make vantrel-hex2dec_1.00_arm64.deb: build/linux-arm64 is not built|not a release: 7 artifact"
    "trees of another commit;1;Someone <someone@localhost>;-;cannot make vantrel-hex2dec-1.00.html: build/web was not configured with this commit's SOURCE_DATE_EPOCH"
    "no maintainer;$epoch;;-;no package maintainer is known"
    "dist holds other files;none;-;foreign;holds files a release does not make"
)
for row in "${rows[@]}"; do
    IFS=';' read -r name trees maintainer before want <<<"$row"
    make_trees "$trees" "$maintainer"
    git -C "$clone" checkout --quiet -- . && git -C "$clone" clean --quiet -fdx --exclude=build
    mkdir -p "$clone/dist"
    [[ $before == dirty ]] && echo '# changed' >>"$clone/README.md"
    [[ $before == foreign ]] && echo keep >"$clone/dist/notes.txt"
    output=$(cd "$clone" && scripts/release.sh --from-trees 2>&1)
    status=$?
    problems=()
    ((status != 0)) || problems+=("exited 0")
    IFS='|' read -ra patterns <<<"$want"
    for pattern in "${patterns[@]}"; do
        grep -qF -e "$pattern" <<<"$output" || problems+=("did not say: $pattern")
    done
    [[ -e $clone/dist/SHA256SUMS ]] && problems+=("wrote SHA256SUMS")
    [[ $before == foreign && ! -f $clone/dist/notes.txt ]] && problems+=("deleted a file it did not make")
    if ((${#problems[@]})); then
        echo "FAIL: $name: $(IFS=';'; echo "${problems[*]}")"
        sed 's/^/    | /' <<<"$output"
        failures=$((failures + 1))
    else
        echo "ok: $name"
    fi
done
((failures == 0)) || { echo "$failures failed"; exit 1; }
echo "all passed"
