#!/usr/bin/env bash
# The Windows installer as a user gets it, under Wine: builds it and the zip with CPack, installs
# silently into a fresh prefix, checks the program's folder, its Start-menu shortcut and its entry in
# Apps and features, runs the end-to-end scenario on the installed program, uninstalls silently and
# checks that nothing of it is left.
#   windows_installer_test.sh BUILD_DIR WORK_DIR VERSION
# The installer, the zip and screenshots of the installed program are left in WORK_DIR. Every wait is
# bounded, and every process it starts is stopped by its id when it ends.
set -euo pipefail

build=$1
out=$2
version=$3

name='Vantrel Hex to Decimal Converter'
program=vantrel-hex2dec.exe
here=$(dirname "$0")

source "$here/../../scripts/xvfb_session.sh" installer
source "$here/../../scripts/wine_session.sh"

rm -rf "$out"
mkdir -p "$out"
timeout 120 cpack --config "$build/CPackConfig.cmake" -B "$out" >"$work/cpack.log" 2>&1 || fail "cpack failed"
installers=("$out"/*.exe)
((${#installers[@]} == 1)) && [[ -f ${installers[0]} ]] || fail "expected one installer in $out, found: ${installers[*]}"
installer=${installers[0]}
zip_listing=$(cmake -E tar tf "$out"/*.zip) || fail "cannot list the zip"
[[ $zip_listing == "$program" ]] || fail "the zip holds more or less than $program: $zip_listing"
echo "installer: built $(basename "$installer") ($(stat -c %s "$installer") bytes) and $(basename "$out"/*.zip)"

# A 64-bit program belongs under Program Files and in the 64-bit registry; a 32-bit one under
# Program Files (x86) and in the 32-bit registry of 64-bit Windows.
case $installer in
    *-win64.exe) program_files='Program Files' view=64 ;;
    *-win32.exe) program_files='Program Files (x86)' view=32 ;;
    *) fail "cannot tell the installer's architecture from its name: $installer" ;;
esac
windows_dir="C:\\$program_files\\$name"
uninstall_key="HKLM\\Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$name"

start_xvfb 640x400x24
start_wine "$out/prefix" || fail "could not make the Wine prefix"
dir=$WINEPREFIX/drive_c/$program_files/$name
start_menu=$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start\ Menu/Programs

timeout 60 wine "$installer" /S >"$work/install.log" 2>&1 || fail "the silent install failed"

# Everything the installer put down: files of the program's folder and shortcuts in any Start menu.
installed_files()
{
    { find "$dir" -type f 2>/dev/null; find "$WINEPREFIX/drive_c" -path '*/Start Menu/*' -name '*.lnk'; } |
        sed "s#^$WINEPREFIX/drive_c/##" | sort
}
expected=$(printf '%s\n' "$program_files/$name/Uninstall.exe" "$program_files/$name/$program" \
    "ProgramData/Microsoft/Windows/Start Menu/Programs/$name/$name.lnk" \
    "ProgramData/Microsoft/Windows/Start Menu/Programs/$name/Uninstall.lnk" | sort)
actual=$(installed_files)
[[ $actual == "$expected" ]] || fail "installed files differ:"$'\n'"$(diff <(echo "$expected") <(echo "$actual"))"

# The shortcut starts the installed program and shows an icon from it (the link's HasIconLocation flag).
shortcut=$start_menu/$name/$name.lnk
grep -qaF "$windows_dir\\$program" "$shortcut" || fail "the shortcut does not lead to $windows_dir\\$program"
(($(od -An -tu1 -j20 -N1 "$shortcut") & 0x40)) || fail "the shortcut has no icon"

# Apps and features lists the program with the project's version, its icon and its uninstaller.
entry=$(timeout 20 wine reg query "$uninstall_key" /reg:$view 2>&1 | tr -d '\r') ||
    fail "no uninstall entry in the $view-bit registry: $entry"
check_value()
{
    local actual
    actual=$(sed -n "s/^ *$1 *REG_SZ *//p" <<<"$entry")
    [[ $actual == "$2" ]] || fail "$1 of the uninstall entry is '$actual', expected '$2'"
}
check_value DisplayName "$name"
check_value DisplayVersion "$version"
check_value Publisher Vantrel
check_value DisplayIcon "$windows_dir\\$program"
check_value UninstallString "\"$windows_dir\\Uninstall.exe\""
echo "installer: installed in $windows_dir, listed as $name $version"

# The installed program does what the built one does.
stop_wine
bash "$here/../e2e/e2e_test.sh" --wine "$WINEPREFIX" "$dir/$program" "$out" >"$work/e2e.log" 2>&1 ||
    fail "the installed program fails the end-to-end scenario"
echo "installer: the installed program passes the end-to-end scenario; screenshots in $out"

# The uninstaller copies itself to a temporary folder, starts the copy and returns at once; the
# prefix's server ends once the copy has finished.
timeout 60 wine "$dir/Uninstall.exe" /S >"$work/uninstall.log" 2>&1 || fail "the silent uninstall failed"
timeout 60 wineserver -w || fail "the uninstaller did not finish within a minute"
left=$(installed_files)
[[ -z $left && ! -e $dir && ! -e $start_menu/$name ]] || fail "left after uninstalling:"$'\n'"$left"
# reg answers 1 for a key that does not exist.
for key in "$uninstall_key" 'HKLM\Software\Vantrel'; do
    for any_view in 32 64; do
        status=0
        timeout 20 wine reg query "$key" /reg:$any_view >/dev/null 2>&1 || status=$?
        ((status == 1)) || fail "the registry key $key is left in the $any_view-bit view (reg query: $status)"
    done
done
stop_wine
echo "installer: the uninstaller removed the folder, the shortcuts and the registry keys"

rm -rf "$WINEPREFIX"
echo "installer: PASS"
