#!/usr/bin/env bash
# Start-up cost of the Windows program next to a bare Win32 window of the same size, under Wine on
# Xvfb: the time from launch until the X server maps the window, and the resident memory of the
# program's Wine process one second after that. One Wine server runs throughout, as Windows itself
# would, and a first launch of each warms it up uncounted. Runs the two alternately so that both see
# the same machine, then prints medians and ratios.
#   bench/startup_windows.sh [RUNS [ARCH...]]   RUNS of each (default 11); ARCH x86, x64 (default both)
# Needs the test profile of scripts/bootstrap.sh (MinGW-w64, Wine, Xvfb and xev).
set -euo pipefail
cd "$(dirname "$0")/.."

runs=${1:-11}
arches=("${@:2}")
((${#arches[@]})) || arches=(x86 x64)

for arch in "${arches[@]}"; do
    build=build/bench-windows-$arch
    cmake --preset "windows-$arch" -B "$build" -DHEXDEC_BUILD_BENCH=ON -DHEXDEC_BUILD_TESTS=OFF >/dev/null
    cmake --build "$build" -j 2 >/dev/null
done

source scripts/xvfb_session.sh startup_windows
source scripts/wine_session.sh
start_xvfb 1024x768x24
prefix=build/bench-windows-wine_prefix
start_wine "$prefix"
wineserver -p # stays up between the launches, until stop_wine

source bench/startup_compare.sh

for arch in "${arches[@]}"; do
    # A 64-bit program through the 64-bit loader: "wine" would hand it to a new process, whose
    # memory would go unmeasured.
    loader=/usr/lib/wine/wine
    [[ $arch == x64 ]] && loader=/usr/lib/wine/wine64
    program=("$loader" "build/bench-windows-$arch/app/vantrel-hex2dec.exe")
    bare=("$loader" "build/bench-windows-$arch/bench/bare_window.exe")
    # A first launch of each warms Wine up, uncounted.
    measure "$title" "${program[@]}"
    measure "$bare_title" "${bare[@]}"
    compare "$runs" "windows-$arch"
done

stop_wine
rm -rf "$prefix"
