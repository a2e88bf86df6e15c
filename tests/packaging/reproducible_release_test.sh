#!/usr/bin/env bash
# The release is reproducible: the release made from the trees scripts/test.sh built and tested here
# equals, byte for byte, the release scripts/release.sh builds afresh in another clone of the commit,
# at another path, later, in another time zone, with another umask and, when this runs as root, as
# another user. Both SHA256SUMS are printed; on a difference, which files differ and where.
#   reproducible_release_test.sh SOURCE_DIR WORK_DIR
# Skipped, with the reason, when the trees cannot stand for the commit: uncommitted changes, or a tree
# not built (the arm64 one needs the optional arm64 packages). Both releases are left in WORK_DIR.
set -uo pipefail

source_dir=$(cd "$1" && pwd)
work=$2
skip()
{
    echo "SKIP: $*"
    exit 77
}
fail()
{
    echo "FAIL: $*"
    exit 1
}

cd "$source_dir"
[[ -z $(git status --porcelain) ]] || skip "the work tree has uncommitted changes, so the trees are not the commit's"
for preset in default linux-arm64 windows-x86 windows-x64 web; do
    [[ -f build/$preset/CMakeCache.txt ]] || skip "build/$preset is not built (scripts/test.sh builds every tree)"
done
maintainer=$(sed -n 's/^HEXDEC_PACKAGE_MAINTAINER:[A-Z]*=//p' build/default/CMakeCache.txt)
[[ -n $maintainer ]] || skip "no package maintainer: set DEBFULLNAME and DEBEMAIL, or git's user.name and user.email"

rm -rf "$work"
mkdir -p "$work"
here=$work/tested
echo "reproducible: the release of the tested trees, in $here"
scripts/release.sh --from-trees --dist "$here" || fail "the tested trees gave no release"

# Elsewhere: a clone at another, longer path, in a time zone far from this one, a umask other than
# this one, and another user when that can be switched to.
elsewhere=$(mktemp -d /var/tmp/hexdec-elsewhere.XXXXXX)
trap 'rm -rf "$elsewhere"' EXIT
clone=$elsewhere/another/place/to/build/vantrel-hex2dec
git clone --quiet --no-hardlinks "$source_dir" "$clone" && git -C "$clone" checkout --quiet --detach "$(git rev-parse HEAD)" ||
    fail "cannot clone the commit"
mkdir -p "$elsewhere/home"
zone=Pacific/Kiritimati
[[ $(date +%z) == +1400 ]] && zone=UTC
mask=0077
[[ $(umask) == 0077 ]] && mask=0022
as=() user=$(id -un)
if ((EUID == 0)); then
    chown -R nobody:nogroup "$elsewhere"
    as=(setpriv --reuid=nobody --regid=nogroup --clear-groups) user=nobody
fi
echo "reproducible: building it again in $clone, as $user, in $zone, with umask $mask"
(
    cd "$clone" && umask "$mask" &&
        "${as[@]}" env HOME="$elsewhere/home" TZ="$zone" HEXDEC_PACKAGE_MAINTAINER="$maintainer" \
            scripts/release.sh --dist "$elsewhere/dist"
) || fail "the release did not build elsewhere"
rm -rf "$work/elsewhere"
cp -r "$elsewhere/dist" "$work/elsewhere"

for dist in "$here" "$work/elsewhere"; do
    echo "reproducible: $dist/SHA256SUMS"
    sed 's/^/    /' "$dist/SHA256SUMS"
    (cd "$dist" && sha256sum --check --quiet SHA256SUMS) || fail "$dist does not match its own SHA256SUMS"
done
if ! cmp -s "$here/SHA256SUMS" "$work/elsewhere/SHA256SUMS"; then
    for file in "$here"/*; do
        name=$(basename "$file")
        cmp "$file" "$work/elsewhere/$name" || echo "differs: $name"
    done
    fail "the release built elsewhere differs from the tested one"
fi
echo "reproducible: the two releases are the same, byte for byte"
