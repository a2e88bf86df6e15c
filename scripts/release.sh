#!/usr/bin/env bash
# Makes what a release publishes, from the commit checked out, into dist/:
#   vantrel-hex2dec_VERSION_amd64.deb, vantrel-hex2dec_VERSION_arm64.deb  the Debian packages
#   vantrel-hex2dec-VERSION-win32-setup.exe, ...-win64-setup.exe         the Windows installers
#   vantrel-hex2dec-VERSION-win32.zip, ...-win64.zip                     the bare Windows programs
#   vantrel-hex2dec-VERSION.html                                         the web page
#   vantrel-hex2dec-VERSION.tar.gz                                       the commit's source
#   vantrel-hex2dec_VERSION.buildinfo                                    the commit, and the packages it was built with
#   SHA256SUMS                                                           what `sha256sum -c` checks
# The same commit built with the same package versions gives the same bytes, wherever, whenever and
# by whomever it is built: every tree is configured with SOURCE_DATE_EPOCH set to the commit's time.
#
#   scripts/release.sh [--dist DIR]
#       builds the programs afresh from the source archive, under build/release
#   scripts/release.sh --from-trees [--dist DIR]
#       packages the trees scripts/test.sh built in build/ instead, which must have been configured for
#       this commit; no bootstrap, no build
#
# Refuses a work tree with uncommitted changes, and stops without a package maintainer (see the
# README). Exits non-zero, naming each artifact that could not be made and why; SHA256SUMS is written
# only when every artifact was.
set -uo pipefail
cd "$(dirname "$0")/.."

dist=dist from_trees=
while (($#)); do
    case $1 in
        --dist) dist=$2; shift 2 ;;
        --from-trees) from_trees=yes; shift ;;
        *) echo "usage: $0 [--from-trees] [--dist DIR]" >&2; exit 2 ;;
    esac
done

say()
{
    echo "release: $*"
}
stop()
{
    say "$*" >&2
    exit 1
}

[[ -z $(git status --porcelain) ]] || stop "the work tree has uncommitted changes (git status lists them): commit them first"
name=vantrel-hex2dec
version=$(sed -n 's/^project(.* VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
commit=$(git rev-parse HEAD)
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct)
export SOURCE_DATE_EPOCH

# Each tree, and what it makes.
presets=(default linux-arm64 windows-x86 windows-x64 web)
declare -A made_by=(
    [default]="${name}_${version}_amd64.deb"
    [linux-arm64]="${name}_${version}_arm64.deb"
    [windows-x86]="$name-$version-win32-setup.exe $name-$version-win32.zip"
    [windows-x64]="$name-$version-win64-setup.exe $name-$version-win64.zip"
    [web]="$name-$version.html"
)

# dist/ is emptied first; a folder holding anything else is not taken for it.
if [[ -d $dist ]] && find "$dist" -mindepth 1 -maxdepth 1 ! -name "$name*" ! -name SHA256SUMS | grep -q .; then
    stop "$dist holds files a release does not make: give another --dist"
fi
work=$PWD/build/release
rm -rf "$dist" "$work"
mkdir -p "$dist" "$work"
dist=$(cd "$dist" && pwd)
cannot=()
declare -A unusable=()

# Says that the artifacts of tree $1 cannot be made, and why ($2).
cannot_make()
{
    local artifact
    unusable[$1]=yes
    for artifact in ${made_by[$1]}; do
        cannot+=("$artifact")
        say "FAIL: cannot make $artifact: $2" >&2
    done
}

# The source archive comes first: the trees are built from it, so what is shipped as the source is
# what the programs were built from.
git archive --format=tar.gz --prefix="$name-$version/" --output="$dist/$name-$version.tar.gz" HEAD ||
    stop "cannot make $name-$version.tar.gz: git archive failed"

if [[ -n $from_trees ]]; then
    source_dir=$PWD
    for preset in "${presets[@]}"; do
        cache=build/$preset/CMakeCache.txt
        if [[ ! -f $cache ]]; then
            cannot_make "$preset" "build/$preset is not built (scripts/test.sh builds it)"
        elif ! grep -qx "HEXDEC_SOURCE_DATE_EPOCH:INTERNAL=$SOURCE_DATE_EPOCH" "$cache"; then
            cannot_make "$preset" "build/$preset was not configured with this commit's SOURCE_DATE_EPOCH ($SOURCE_DATE_EPOCH)"
        fi
    done
else
    scripts/bootstrap.sh release || stop "stopped, as the bootstrap could not install what a release needs"
    tar -xzf "$dist/$name-$version.tar.gz" -C "$work" || stop "cannot unpack the source archive"
    source_dir=$work/$name-$version
fi

# A maintainer named in the environment goes to the trees' configuration; with none known at all,
# there is no release (checked once a Linux tree is configured).
maintainer_args=()
[[ -n ${HEXDEC_PACKAGE_MAINTAINER:-} ]] && maintainer_args=(-DHEXDEC_PACKAGE_MAINTAINER:STRING="$HEXDEC_PACKAGE_MAINTAINER")

# The arm64 packages are optional for the bootstrap: without them only the arm64 package is missing.
source scripts/arm64_tree.sh

for preset in "${presets[@]}"; do
    tree=$source_dir/build/$preset
    log=$work/$preset.log
    if [[ -z $from_trees ]]; then
        if [[ $preset == linux-arm64 ]] && reason=$(arm64_missing); then
            cannot_make "$preset" "$reason (see the bootstrap's note above)"
            continue
        fi
        say "building the $preset tree"
        if ! (cd "$source_dir" && cmake --preset "$preset" -DHEXDEC_BUILD_TESTS=OFF "${maintainer_args[@]}") >"$log" 2>&1; then
            cannot_make "$preset" "the $preset tree did not configure: see $log"
            continue
        fi
    fi
    [[ -z ${unusable[$preset]:-} ]] || continue
    if [[ $preset == default || $preset == linux-* ]] && ! grep -q "^HEXDEC_PACKAGE_MAINTAINER:[A-Z]*=." "$tree/CMakeCache.txt"; then
        stop "no package maintainer is known: set DEBFULLNAME and DEBEMAIL, or HEXDEC_PACKAGE_MAINTAINER, or git's user.name and user.email"
    fi
    if [[ -z $from_trees ]] && ! (cd "$source_dir" && cmake --build --preset "$preset") >>"$log" 2>&1; then
        cannot_make "$preset" "the $preset tree did not build: see $log"
        continue
    fi
    if [[ $preset == web ]]; then
        cp "$tree/app/$name.html" "$dist/$name-$version.html" || cannot_make "$preset" "the page was not built"
        continue
    fi
    # CPack gives the members of a .deb the umask's modes, and the archive keeps them.
    if ! (umask 022 && cpack --config "$tree/CPackConfig.cmake" -B "$work/packages/$preset") >>"$log" 2>&1; then
        cannot_make "$preset" "CPack failed: see $log"
        continue
    fi
    for artifact in ${made_by[$preset]}; do
        cp "$work/packages/$preset/$artifact" "$dist/" || cannot_make "$preset" "CPack did not make $artifact"
    done
done

python3 scripts/buildinfo.py --source "$name" --version "$version" --commit "$commit" \
    --packages "$(scripts/bootstrap.sh --list release)" >"$dist/${name}_$version.buildinfo" ||
    cannot+=("${name}_$version.buildinfo")

if ((${#cannot[@]})); then
    stop "not a release: ${#cannot[@]} artifact(s) missing (${cannot[*]}); no SHA256SUMS written"
fi
(cd "$dist" && LC_ALL=C ls | grep -vx SHA256SUMS | xargs sha256sum >SHA256SUMS) || stop "cannot write SHA256SUMS"
say "made $dist for $commit:"
(cd "$dist" && stat -c '%10s  %n' *)
