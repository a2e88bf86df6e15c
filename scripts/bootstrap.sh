#!/usr/bin/env bash
# Installs the Debian 12 packages this project needs that are not installed yet, then the npm packages
# the web page's tests drive the browsers with, as package-lock.json pins them.
#   scripts/bootstrap.sh run    what building and running the program needs
#   scripts/bootstrap.sh test   that, plus everything the test suite uses
#   scripts/bootstrap.sh release  what scripts/release.sh builds every platform's release with
#   scripts/bootstrap.sh --list PROFILE  only prints the packages of PROFILE, on one line
# Exits non-zero when a required package or the npm packages could not be installed, naming what
# failed. The optional packages come from other architectures' archives (32-bit Wine from i386's, the
# linux-arm64 tree's from arm64's), which can be out of step with amd64's; without them only the tests
# that need them are skipped. Whether each group of them was installed is said in one line at the end.
#
# No `set -e`: apt fails in ways worth going on from (a stale mirror index, an unrelated third-party
# source), so each step checks and reports its own failure.
set -uo pipefail

list=
[[ ${1:-} == --list ]] && { list=yes; shift; }
profile="${1:-test}"
root="$(dirname "$0")/.."

build_packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev fonts-dejavu-core scdoc)
test_packages=(
    libgtest-dev googletest libbenchmark-dev libx11-dev clang-14 libclang-rt-14-dev gcovr   # unit tests, benchmarks, fuzzing, coverage
    xvfb xauth xdotool xclip imagemagick x11-utils                      # the program under a real X server
    dpkg-dev file desktop-file-utils appstream lintian man-db           # the Debian package, its desktop files, the man page
    icnsutils librsvg2-bin                                              # scripts/make_icns.sh, scripts/make_icons.sh
    dbus-daemon at-spi2-core python3-pyatspi                            # the window through a screen reader's stack
    weston qt6-wayland                                                  # the window under Wayland
    mingw-w64 wine wine64 fonts-wine nsis zip                           # the Windows programs, run under Wine, and their installer
    emscripten chromium firefox-esr webkit2gtk-driver openbox          # the web page, its three browser engines, and a window manager for their real keys
)
release_packages=(dpkg-dev file mingw-w64 nsis zip emscripten git)
# The optional packages, a group for each architecture whose archive they need, and what is skipped
# without them: Wine's 32-bit half, for the 32-bit Windows programs; the cross compiler, qemu-user and
# arm64 Qt with the platform plugins its tests start the program on, for the linux-arm64 tree.
optional_arches=(i386 arm64)
declare -A optional_group=(
    [i386]="wine32:i386"
    [arm64]="g++-aarch64-linux-gnu qemu-user-static qt6-base-dev:arm64 libgl-dev:arm64 qt6-qpa-plugins:arm64 qt6-wayland:arm64"
)
declare -A skipped_without=(
    [i386]="the tests that run 32-bit programs under Wine will be skipped"
    [arm64]="the linux-arm64 tree will be skipped"
)
read -ra optional_packages <<<"${optional_group[i386]} ${optional_group[arm64]}"

case "$profile" in
    run) required=("${build_packages[@]}") optional=() ;;
    test) required=("${build_packages[@]}" "${test_packages[@]}") optional=("${optional_packages[@]}") ;;
    release)
        required=("${build_packages[@]}" "${release_packages[@]}")
        read -ra optional <<<"${optional_group[arm64]}"
        skipped_without[arm64]="the release will lack the arm64 package" ;;
    *) echo "usage: $0 [--list] [run|test|release]" >&2; exit 2 ;;
esac
if [[ -n $list ]]; then
    echo "${required[@]}" "${optional[@]}"
    exit 0
fi
# npm comes with some builds of node itself; Debian's own is a package of its own.
[[ $profile == test ]] && ! command -v npm >/dev/null && required+=(npm)

say()
{
    echo "bootstrap: $*"
}

# The packages among the arguments that are not installed, one a line. A name without an
# architecture means the machine's own (or all): with a second architecture added, dpkg-query
# answers for each architecture a package is known in.
not_installed()
{
    local package native
    native=$(dpkg --print-architecture)
    for package; do
        local wanted="${package#*:}" states
        [[ $package == *:* ]] || wanted="($native|all)"
        states=$(dpkg-query -W -f='${Architecture} ${db:Status-Status}\n' "${package%%:*}" 2>/dev/null)
        grep -qxE "$wanted installed" <<<"$states" || echo "$package"
    done
}

mapfile -t missing < <(not_installed "${required[@]}")
mapfile -t missing_optional < <(not_installed "${optional[@]}")

# The missing optional packages of the group of architecture $1, one a line.
missing_of()
{
    local package
    for package in ${optional_group[$1]}; do
        [[ " ${missing_optional[*]} " == *" $package "* ]] && echo "$package"
    done
}

sudo=()
((EUID == 0)) || sudo=(sudo)
# A download that fails is tried again a few times, and no more: a stale mirror index does not heal in
# minutes.
apt=("${sudo[@]}" env DEBIAN_FRONTEND=noninteractive apt-get -o Acquire::Retries=3)

# The first line of apt's account of why it cannot install: the unmet dependency, else its error.
apt_reason()
{
    local reason
    reason=$(grep -m1 -E ' : (Pre)?Depends: ' <<<"$1") || reason=$(grep -m1 '^E: ' <<<"$1") || reason="apt-get exited $2"
    echo "${reason#"${reason%%[! ]*}"}"
}

# apt installs all or nothing, and its errors name dependencies rather than the package asked for, so
# each missing package is tried alone, without installing anything, to name the one at fault.
name_packages_at_fault()
{
    local package output status named=
    for package in "${missing[@]}"; do
        output=$("${apt[@]}" -s install --no-install-recommends "$package" 2>&1)
        status=$?
        ((status == 0)) && continue
        say "FAIL: cannot install $package: $(apt_reason "$output" "$status")"
        named=yes
    done
    [[ -n $named ]] || say "FAIL: apt-get install failed, though each package alone would install: see apt's messages above"
}

install_required()
{
    ((${#missing[@]})) || return 0
    say "installing ${missing[*]}"
    "${apt[@]}" install -y -qq --no-install-recommends "${missing[@]}" && return 0
    name_packages_at_fault
    return 1
}

install_npm_packages()
{
    [[ $profile == test ]] || return 0
    [[ "$root/node_modules/.package-lock.json" -nt "$root/package-lock.json" ]] && return 0
    say "installing the npm packages of package-lock.json"
    npm ci --prefix "$root" --no-audit --no-fund && return 0
    say "FAIL: npm ci exited $?"
    return 1
}

# Installs each group of optional packages on its own, all or nothing, then says in one line for each,
# at the end, whether it is there. An architecture is added only for its group and is taken away again
# when nothing of it got installed: while its index is broken, every later `apt-get update` on the
# machine would exit 100.
install_optional()
{
    local arch group output status stale outcomes=()
    for arch in "${optional_arches[@]}"; do
        mapfile -t group < <(missing_of "$arch")
        ((${#group[@]})) || continue
        # Not quiet: apt names the unmet dependency only when it is not.
        output=$("${apt[@]}" install -y --no-install-recommends "${group[@]}" 2>&1)
        status=$?
        if ((status == 0)); then
            outcomes+=("installed the optional ${group[*]}")
            continue
        fi
        if [[ " ${added_arches[*]} " == *" $arch "* ]]; then
            if "${sudo[@]}" dpkg --remove-architecture "$arch" 2>/dev/null; then
                say "removed the $arch architecture again, as nothing from it is installed"
            else
                say "the $arch architecture stays added; 'sudo dpkg --remove-architecture $arch' takes it away"
            fi
        fi
        stale=
        [[ -n $update_failed ]] && stale=", after a failed index update"
        outcomes+=("note: optional ${group[*]} not installed ($(apt_reason "$output" "$status")$stale): ${skipped_without[$arch]}")
    done
    for output in "${outcomes[@]}"; do
        say "$output"
    done
}

added_arches=() update_failed=
if ((${#missing[@]} + ${#missing_optional[@]} == 0)); then
    say "every package is already installed"
else
    for arch in "${optional_arches[@]}"; do
        mapfile -t group < <(missing_of "$arch")
        ((${#group[@]})) && ! dpkg --print-foreign-architectures | grep -qx "$arch" || continue
        say "adding the $arch architecture for ${group[*]}"
        "${sudo[@]}" dpkg --add-architecture "$arch" && added_arches+=("$arch")
    done
    # A failed update leaves apt the lists it had: often enough to install from.
    "${apt[@]}" update -qq || { say "warning: apt-get update exited $?; installing from the package lists apt has"; update_failed=yes; }
    install_required || exit 1
fi
install_npm_packages || exit 1
install_optional
exit 0
