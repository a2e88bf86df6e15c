# Sourced by the scripts that run Windows programs under Wine: one prefix per run, made fresh in the
# build tree, quiet, and set up for windows on an X server without a window manager.
#   source scripts/wine_session.sh
#   make_wine_prefix PREFIX   a fresh prefix at PREFIX (an old one there is removed), then exports it
#   use_wine PREFIX           exports a prefix that make_wine_prefix made
#   start_wine PREFIX         make_wine_prefix, and stop_wine when the script exits (before the X
#                             server of scripts/xvfb_session.sh, when that was sourced first)
#   stop_wine                 ends every Wine process of the prefix, the server last
#   skip_without_wine32       when the test runs 32-bit programs ($HEXDEC_WINE_ARCH is win32) and
#                             32-bit Wine is not installed: says so on the first line and exits 77,
#                             which CTest reports as skipped
# A prefix made by the 64-bit loader runs 32- and 64-bit programs alike; it needs wine32 installed
# when it is made, so it is never reused from an older run.

# 32-bit Wine comes from the optional package wine32:i386 (scripts/bootstrap.sh), whose archive can
# be out of step with amd64's. Its loader is what a 32-bit program needs; when dpkg says the package is
# installed and the loader is still missing, that is a fault, never a skip.
wine32_loader=${HEXDEC_WINE32_LOADER:-/usr/lib/wine/wine}
skip_without_wine32()
{
    [[ ${HEXDEC_WINE_ARCH:-} == win32 && ! -x $wine32_loader ]] || return 0
    if [[ "$(dpkg-query -W -f='${db:Status-Status}' wine32:i386 2>/dev/null)" == installed ]]; then
        echo "wine_session: FAIL: 32-bit Wine (wine32:i386) is installed, but its loader $wine32_loader is not there" >&2
        exit 1
    fi
    echo "SKIP: 32-bit Wine (wine32:i386) is not installed"
    exit 77
}

# Points Wine at PREFIX, without its debug output and without the prompts to install Mono and Gecko
# or the menu entries that Wine would otherwise add to the desktop for every program.
use_wine()
{
    WINEPREFIX=$(realpath -m "$1") # Wine takes only an absolute path
    export WINEPREFIX
    export WINEDEBUG=-all
    export WINEDLLOVERRIDES='mscoree,mshtml,winemenubuilder.exe=d'
}

make_wine_prefix()
{
    local prefix
    prefix=$(realpath -m "$1")
    # An older server of this prefix would keep files open in it.
    [[ -d $prefix ]] && { WINEPREFIX=$prefix timeout 20 wineserver -k 2>/dev/null || true; }
    rm -rf "$prefix"
    mkdir -p "$(dirname "$prefix")"
    use_wine "$prefix"
    timeout 180 wineboot -i >/dev/null 2>&1 || { echo "wine_session: wineboot failed in $prefix" >&2; return 1; }
    # Without a window manager Wine manages its windows itself; otherwise it waits two seconds on
    # every window it hides, for a window manager that never answers.
    timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f >/dev/null 2>&1 ||
        { echo "wine_session: could not set X11 Driver Managed=N" >&2; return 1; }
    # Wine's own Tahoma and Marlett: without them the dialog font falls back to another face and the
    # caption buttons draw as letters.
    ln -sf /usr/share/wine/fonts/*.ttf "$prefix/drive_c/windows/Fonts/"
    # The server writes the registry to disk when it ends.
    stop_wine
}

# wineserver -k returns once the server has ended; a busy machine can take a while to end every
# process of the prefix, and the next test in the prefix must not meet this server still going.
stop_wine()
{
    [[ -n ${WINEPREFIX:-} ]] || return 0
    timeout 60 wineserver -k 2>/dev/null || true
}

start_wine()
{
    make_wine_prefix "$1" || return 1
    if declare -F stop_all >/dev/null; then
        trap 'stop_wine; stop_all' EXIT
    else
        trap stop_wine EXIT
    fi
}
