#!/usr/bin/env bash
# The Debian package as a user gets it: checks what it holds and declares, unpacks it into a scratch
# root, validates the installed desktop files and manual page, and starts the installed program under
# its own X server, at the normal scale and at twice it, to see its window appear under the window
# class its desktop entry names.
#   deb_test.sh DEB_DIR VERSION [ARCHITECTURE]
# DEB_DIR holds the one package, built by the deb_build test; the unpacked root and screenshots of both
# windows are left there. ARCHITECTURE is the package's Debian architecture, by default this machine's;
# a program built for another processor runs under the emulator that HEXDEC_EMULATOR names. Every wait
# is bounded, and every process it starts is stopped by its id.
set -euo pipefail

out=$1
version=$2
architecture=${3:-$(dpkg --print-architecture)}
read -ra emulator <<<"${HEXDEC_EMULATOR:-}"

app_id=com.vantrel.hex2dec
title='Vantrel Hex to Decimal Converter'
# Everything the package may hold, directories aside.
expected_files=(
    ./usr/bin/vantrel-hex2dec
    ./usr/share/applications/$app_id.desktop
    ./usr/share/doc/vantrel-hex2dec/changelog.gz
    ./usr/share/doc/vantrel-hex2dec/copyright
    ./usr/share/icons/hicolor/{16x16,32x32,48x48,64x64,128x128,256x256}/apps/$app_id.png
    ./usr/share/icons/hicolor/scalable/apps/$app_id.svg
    ./usr/share/man/man1/vantrel-hex2dec.1.gz
    ./usr/share/metainfo/$app_id.metainfo.xml
)

source "$(dirname "$0")/../../scripts/xvfb_session.sh" deb

debs=("$out"/*.deb)
((${#debs[@]} == 1)) && [[ -f ${debs[0]} ]] || fail "expected one .deb in $out, found: ${debs[*]}"
deb=${debs[0]}
echo "deb: testing $deb"

# The listing must be the expected files and their folders, nothing more: no headers, static
# libraries, tests or bundled Qt.
listing=$(dpkg-deb -c "$deb") || fail "dpkg-deb cannot list $deb"
actual=$(awk '{print $6}' <<<"$listing" | sed 's#/$##' | sort)
expected=$(for file in "${expected_files[@]}"; do
    path=$file
    while [[ $path != . ]]; do
        echo "$path"
        path=$(dirname "$path")
    done
done | sort -u)
[[ $actual == "$expected" ]] || fail "unexpected contents:"$'\n'"$(diff <(echo "$expected") <(echo "$actual"))"
grep -q '^-rwxr-xr-x root/root .* \./usr/bin/vantrel-hex2dec$' <<<"$listing" || fail "the program is not an executable owned by root"
if grep '^-' <<<"$listing" | grep -v 'usr/bin/' | grep -qv '^-rw-r--r-- root/root '; then
    fail "a data file is not plain rw-r--r-- root/root:"$'\n'"$listing"
fi
# Packaged with a umask of 002, as on many desktops: the directories still are Debian's.
if grep '^d' <<<"$listing" | grep -qv '^drwxr-xr-x root/root '; then
    fail "a directory is not rwxr-xr-x root/root:"$'\n'"$listing"
fi

field()
{
    dpkg-deb -f "$deb" "$1"
}
[[ $(field Package) == vantrel-hex2dec ]] || fail "Package is '$(field Package)'"
[[ $(field Version) == "$version" ]] || fail "Version is '$(field Version)'"
[[ $(field Architecture) == "$architecture" ]] || fail "Architecture is '$(field Architecture)'"
[[ $(field Section) == utils ]] || fail "Section is '$(field Section)'"
depends=$(field Depends)
for needed in libqt6widgets6 libqt6gui6 libqt6core6 qt6-qpa-plugins; do
    [[ ",$depends," =~ [,\ ]$needed[,\ ] ]] || fail "Depends lacks $needed: $depends"
done
echo "deb: Depends: $depends"
[[ $(field Recommends) == qt6-wayland ]] || fail "Recommends is '$(field Recommends)', expected qt6-wayland"

root=$out/root
rm -rf "$root"
dpkg -x "$deb" "$root" || fail "dpkg -x failed"
desktop-file-validate "$root/usr/share/applications/$app_id.desktop" >"$work/desktop-file-validate.log" 2>&1 ||
    fail "desktop-file-validate rejects the installed entry"
[[ ! -s $work/desktop-file-validate.log ]] || fail "desktop-file-validate has remarks on the installed entry"
appstreamcli validate-tree --no-net --pedantic "$root" >"$work/appstreamcli.log" 2>&1 ||
    fail "appstreamcli rejects the installed tree"
for size in 16 32 48 64 128 256; do
    icon=$root/usr/share/icons/hicolor/${size}x$size/apps/$app_id.png
    [[ $(identify -format '%m %wx%h' "$icon") == "PNG ${size}x$size" ]] || fail "$icon is not a ${size}x$size PNG"
done

man_page=$root/usr/share/man/man1/vantrel-hex2dec.1.gz
man --warnings -l "$man_page" >"$work/man.txt" 2>"$work/man-warnings.log" || fail "man cannot render $man_page"
[[ ! -s $work/man-warnings.log ]] || fail "the manual page renders with warnings"
grep -q '^EXIT STATUS' "$work/man.txt" || fail "the manual page has no EXIT STATUS section"

# The window class the desktop ties a running window to its menu entry by.
wm_class=$(sed -n 's/^StartupWMClass=//p' "$root/usr/share/applications/$app_id.desktop")
[[ $wm_class == "$app_id" ]] || fail "the desktop entry's StartupWMClass is '$wm_class', expected $app_id"

start_xvfb 800x600x24

# Starts the installed program at scale factor $1 and checks its window has $2 x $3 pixels and the
# application id as its window class. The display is named by Qt's own -display option alone, so the
# window appears only if Qt's options reach Qt.
expect_window()
{
    local scale=$1 width=$2 height=$3 shot=$4 pid window geometry class
    env -u DISPLAY QT_SCALE_FACTOR="$scale" "${emulator[@]}" "$root/usr/bin/vantrel-hex2dec" -display "$DISPLAY" -style Fusion \
        >"$work/program_$scale.log" 2>&1 &
    pid=$!
    pids+=("$pid")
    window=$(timeout 15 xdotool search --all --sync --onlyvisible --pid "$pid" --name "^$title\$" | head -n1) || true
    [[ -n $window ]] || fail "the installed program's window did not appear at scale $scale"
    geometry=$(timeout 5 xdotool getwindowgeometry --shell "$window" | grep -E '^(WIDTH|HEIGHT)=' | tr '\n' ' ')
    [[ $geometry == "WIDTH=$width HEIGHT=$height " ]] ||
        fail "at scale $scale the window is $geometry, expected ${width}x$height"
    class=$(timeout 5 xprop -id "$window" WM_CLASS)
    [[ $class == 'WM_CLASS(STRING) = "vantrel-hex2dec", "'"$app_id"'"' ]] || fail "at scale $scale: $class"
    import -window "$window" "$out/$shot"
    kill "$pid"
    wait "$pid" 2>/dev/null || true
    echo "deb: at scale $scale the window is ${width}x$height, $class; screenshot $out/$shot"
}
expect_window 1 312 131 installed_window.png
expect_window 2 624 262 installed_window_scale2.png

echo "deb: PASS"
