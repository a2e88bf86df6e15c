#!/usr/bin/env bash
# Installs the Debian 12 packages this project needs that are not installed yet.
#   scripts/bootstrap.sh run    what building and running the program needs
#   scripts/bootstrap.sh test   that, plus everything the test suite uses
set -euo pipefail

profile="${1:-test}"

build_packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev fonts-dejavu-core scdoc)
test_packages=(
    libgtest-dev googletest libbenchmark-dev libx11-dev clang-14 libclang-rt-14-dev gcovr   # unit tests, benchmarks, fuzzing, coverage
    xvfb xauth xdotool xclip imagemagick x11-utils                      # the program under a real X server
    dpkg-dev file desktop-file-utils appstream lintian man-db           # the Debian package, its desktop files, the man page
    icnsutils librsvg2-bin                                              # scripts/make_icns.sh, scripts/make_icons.sh
    dbus-daemon at-spi2-core python3-pyatspi                            # the window through a screen reader's stack
    weston qt6-wayland                                                  # the window under Wayland
    mingw-w64 wine wine64 wine32:i386 fonts-wine nsis zip               # the Windows programs, run under Wine, and their installer
    emscripten chromium                                                 # the web page, and a browser to test it in
)

# npm comes with some builds of node itself; Debian's own is a package of its own.
command -v npm >/dev/null || test_packages+=(npm)

# The npm packages the web page's tests drive Chromium with, as the lockfile pins them, into the tree.
install_npm_packages()
{
    local root
    root="$(dirname "$0")/.."
    if [[ $profile != test || "$root/node_modules/.package-lock.json" -nt "$root/package-lock.json" ]]; then
        return
    fi
    echo "bootstrap: installing the npm packages of package-lock.json"
    npm ci --prefix "$root" --no-audit --no-fund
}
trap install_npm_packages EXIT

case "$profile" in
    run) wanted=("${build_packages[@]}") ;;
    test) wanted=("${build_packages[@]}" "${test_packages[@]}") ;;
    *) echo "usage: $0 [run|test]" >&2; exit 2 ;;
esac

missing=()
for package in "${wanted[@]}"; do
    status="$(dpkg-query -W -f='${db:Status-Status}' "$package" 2>/dev/null || true)"
    [[ "$status" == installed ]] || missing+=("$package")
done

if ((${#missing[@]} == 0)); then
    echo "bootstrap: every package is already installed"
    exit 0
fi

sudo=()
if ((EUID != 0)); then
    sudo=(sudo)
fi
# 32-bit Windows programs run under Wine's 32-bit half, which comes from the i386 architecture.
if [[ " ${missing[*]} " == *:i386* ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    echo "bootstrap: adding the i386 architecture for wine32"
    "${sudo[@]}" dpkg --add-architecture i386
fi
echo "bootstrap: installing ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
