#!/usr/bin/env bash
# Installs the Debian 12 packages this project needs that are not installed yet.
#   scripts/bootstrap.sh run    what building and running the program needs
#   scripts/bootstrap.sh test   that, plus everything the test suite uses
set -euo pipefail

profile="${1:-test}"

build_packages=(cmake ninja-build g++ pkg-config qt6-base-dev qt6-base-dev-tools qt6-qpa-plugins libgl-dev fonts-dejavu-core)
test_packages=(
    libgtest-dev libbenchmark-dev clang-14 libclang-rt-14-dev gcovr   # unit tests, benchmarks, fuzzing, coverage
    xvfb xauth xdotool xclip imagemagick x11-utils                     # the program under a real X server
    dpkg-dev file desktop-file-utils appstream                         # the Debian package and its desktop files
    icnsutils                                                          # scripts/make_icns.sh
)

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
echo "bootstrap: installing ${missing[*]}"
"${sudo[@]}" apt-get update -qq
DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
