#!/usr/bin/env bash
# Installs the Debian 12 packages this project needs that are not installed yet, then the npm packages
# the web page's tests drive the browsers with, as package-lock.json pins them.
#   scripts/bootstrap.sh run    what building and running the program needs
#   scripts/bootstrap.sh test   that, plus everything the test suite uses
#   scripts/bootstrap.sh release  what scripts/release.sh builds every platform's release with
#   scripts/bootstrap.sh --list PROFILE  only prints the packages of PROFILE, on one line
# Exits non-zero when a required package or the npm packages could not be installed, naming what
# failed. 32-bit Wine is the one optional package: it comes from the i386 archive, which can be out of
# step with amd64's, and without it only the tests that run 32-bit programs under Wine are skipped.
# Whether it was installed is said on the last line.
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
# Wine's 32-bit half, for the 32-bit Windows programs.
optional_packages=(wine32:i386)

case "$profile" in
    run) required=("${build_packages[@]}") optional=() ;;
    test) required=("${build_packages[@]}" "${test_packages[@]}") optional=("${optional_packages[@]}") ;;
    release) required=("${build_packages[@]}" "${release_packages[@]}") optional=() ;;
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

# Installs the optional packages and says, as the last line, whether they are there. The i386
# architecture is added only for them and is taken away again when nothing of it got installed: while
# its index is broken, every later `apt-get update` on the machine would exit 100.
install_optional()
{
    ((${#missing_optional[@]})) || return 0
    local output status
    # Not quiet: apt names the unmet dependency only when it is not.
    output=$("${apt[@]}" install -y --no-install-recommends "${missing_optional[@]}" 2>&1)
    status=$?
    if ((status == 0)); then
        say "installed the optional ${missing_optional[*]}"
        return 0
    fi
    if [[ -n $added_i386 ]]; then
        if "${sudo[@]}" dpkg --remove-architecture i386 2>/dev/null; then
            say "removed the i386 architecture again, as nothing from it is installed"
        else
            say "the i386 architecture stays added; 'sudo dpkg --remove-architecture i386' takes it away"
        fi
    fi
    local stale=
    [[ -n $update_failed ]] && stale=", after a failed index update"
    say "note: optional ${missing_optional[*]} not installed ($(apt_reason "$output" "$status")$stale): the tests that run 32-bit programs under Wine will be skipped"
}

added_i386= update_failed=
if ((${#missing[@]} + ${#missing_optional[@]} == 0)); then
    say "every package is already installed"
else
    if ((${#missing_optional[@]})) && ! dpkg --print-foreign-architectures | grep -qx i386; then
        say "adding the i386 architecture for ${missing_optional[*]}"
        "${sudo[@]}" dpkg --add-architecture i386 && added_i386=yes
    fi
    # A failed update leaves apt the lists it had: often enough to install from.
    "${apt[@]}" update -qq || { say "warning: apt-get update exited $?; installing from the package lists apt has"; update_failed=yes; }
    install_required || exit 1
fi
install_npm_packages || exit 1
install_optional
exit 0
