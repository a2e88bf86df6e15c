#!/usr/bin/env bash
# The Windows installer as users meet it, under Wine, silently, in a fresh prefix.
#   windows_installer_test.sh BUILD_DIR WORK_DIR VERSION
#       Builds the installer and the zip with CPack and checks the zip; installs for everyone and
#       checks the folder, the shortcut, the entry in Apps and features, the version records and
#       the notices, and runs the end-to-end scenario on the installed program. Then the upgrade
#       block: reinstalls refused (over a running copy, over a newer version) with everything left
#       in place, an upgrade in place in a folder of the user's own, and an install for the current
#       user alone. Each uninstall must leave nothing behind.
#   windows_installer_test.sh --side-by-side BUILD_DIR OTHER_BUILD_DIR WORK_DIR VERSION
#       The side-by-side block: the installers of both architectures over each other, for everyone:
#       one entry and one shortcut at every step. Exits 77 (skipped) when OTHER_BUILD_DIR has no
#       program built.
# The installers, the zip and screenshots of the installed program are left in WORK_DIR. Every wait
# is bounded, and every process it starts is stopped by its id when it ends.
set -euo pipefail

side_by_side=
if [[ $1 == --side-by-side ]]; then
    side_by_side=$3
    set -- "$2" "$4" "$5"
fi
build=$1
out=$2
version=$3

name='Vantrel Hex to Decimal Converter'
program=vantrel-hex2dec.exe
notices=THIRD-PARTY-NOTICES.txt
here=$(dirname "$0")
key_path="Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\$name"

source "$here/../../scripts/wine_session.sh"
skip_without_wine32
if [[ -n $side_by_side && ! -f $side_by_side/app/$program ]]; then
    echo "installer: the other architecture's program is not built in $side_by_side: skipped"
    exit 77
fi

source "$here/../../scripts/xvfb_session.sh" installer

# The installer of a build tree, made with its CPack configuration into WORK_DIR/NAME.
make_installer()
{
    timeout 120 cpack --config "$1/CPackConfig.cmake" -B "$out/$2" >"$work/cpack_$2.log" 2>&1 ||
        fail "cpack failed for $1"
    installer=$(echo "$out/$2"/*-setup.exe)
    [[ -f $installer ]] || fail "no installer named *-setup.exe in $out/$2"
}

rm -rf "$out"
mkdir -p "$out"
make_installer "$build" packages
echo "installer: built $(basename "$installer") ($(stat -c %s "$installer") bytes)"

start_xvfb 640x400x24
start_wine "$out/prefix" || fail "could not make the Wine prefix"
drive_c=$WINEPREFIX/drive_c
user_programs="C:\\users\\$(id -un)\\AppData\\Local\\Programs"

# Unix path of a Windows path in the prefix.
unix_path()
{
    local path=${1//\\//}
    echo "$drive_c/${path#C:/}"
}

# The architecture of an installer: its folder for everyone and its registry view.
architecture()
{
    case $1 in
        *-win64-setup.exe) machine_programs='C:\Program Files' view=64 ;;
        *-win32-setup.exe) machine_programs='C:\Program Files (x86)' view=32 ;;
        *) fail "cannot tell the installer's architecture from its name: $1" ;;
    esac
}

install()
{
    local status=0
    timeout 60 wine "$@" >>"$work/install.log" 2>&1 || status=$?
    return "$status"
}

# The uninstaller returns at once and finishes in the background; the prefix's server ends when
# everything has.
uninstall()
{
    timeout 60 wine "$(unix_path "$1")/Uninstall.exe" /S >>"$work/install.log" 2>&1 || fail "the uninstaller of $1 failed"
    timeout 60 wineserver -w || fail "the uninstaller of $1 did not finish within a minute"
}

# The uninstall entry as "name type value" lines: HKCU, or HKLM in the 32- or 64-bit view.
entry()
{
    local root=HKLM view=64
    [[ $1 == user ]] && root=HKCU || view=$1
    timeout 20 wine reg query "$root\\$key_path" /reg:$view 2>/dev/null | tr -d '\r' |
        sed -n 's/^    \([^ ]*\)    \(REG_[A-Z]*\)    \(.*\)$/\1 \2 \3/p'
}

# The whole entry, every value and its type, for an install in the folder $2 (Windows path).
check_entry()
{
    local dir=$2 unix bytes=0 file actual expected
    unix=$(unix_path "$dir")
    for file in "$program" "$notices" Uninstall.exe; do
        bytes=$((bytes + $(stat -c %s "$unix/$file")))
    done
    expected=$(
        cat <<EOF
DisplayIcon REG_SZ $dir\\$program
DisplayName REG_SZ $name
DisplayVersion REG_SZ $version
EstimatedSize REG_DWORD $(printf '%#x' $(((bytes + 1023) / 1024)))
InstallLocation REG_SZ $dir
NoModify REG_DWORD 0x1
NoRepair REG_DWORD 0x1
Publisher REG_SZ Vantrel
QuietUninstallString REG_SZ "$dir\\Uninstall.exe" /S
UninstallString REG_SZ "$dir\\Uninstall.exe"
EOF
    )
    actual=$(entry "$1" | sort)
    [[ $actual == "$expected" ]] || fail "the $1 entry differs:"$'\n'"$(diff <(echo "$expected") <(echo "$actual"))"
}

# Every file and folder of the product in the prefix: program folders and what they hold, shortcuts,
# the uninstaller's temporary copies.
product_files()
{
    find "$drive_c" \( -name "$name" -o -path "*/$name/*" -o -name "$name.lnk" -o -path '*/Tools/HexConv*' \
        -o -name '~nsu*' \) -print 2>/dev/null | sed "s#^$drive_c/##" | sort
}

# The installed files and the one shortcut (which leads to the program and shows its icon, by the
# link's HasIconLocation flag), and nothing else.
check_installed()
{
    local dir=$1 start_menu=$2 shortcut expected
    shortcut="$(unix_path "$start_menu")/$name.lnk"
    expected=$(printf '%s\n' "$(unix_path "$dir")"{,"/$program","/$notices",/Uninstall.exe} "$shortcut" |
        sed "s#^$drive_c/##" | sort)
    [[ $(product_files) == "$expected" ]] ||
        fail "installed files differ:"$'\n'"$(diff <(echo "$expected") <(product_files))"
    grep -qaF "$dir\\$program" "$shortcut" || fail "the shortcut does not lead to $dir\\$program"
    (($(od -An -tu1 -j20 -N1 "$shortcut") & 0x40)) || fail "the shortcut has no icon"
}

# Nothing of the product anywhere: files, shortcuts, temporary copies, entries in every view, the
# first installers' key. reg answers 1 for a key that does not exist.
check_nothing_left()
{
    local left key any_view status
    left=$(product_files)
    [[ -z $left ]] || fail "left after uninstalling:"$'\n'"$left"
    for key in "HKCU\\$key_path 64" "HKLM\\$key_path 32" "HKLM\\$key_path 64" 'HKLM\Software\Vantrel 32' \
        'HKLM\Software\Vantrel 64'; do
        status=0
        timeout 20 wine reg query "${key% *}" /reg:"${key##* }" >/dev/null 2>&1 || status=$?
        ((status == 1)) || fail "the registry key $key-bit view is left (reg query: $status)"
    done
}

machine_start_menu='C:\ProgramData\Microsoft\Windows\Start Menu\Programs'
user_start_menu="C:\\users\\$(id -un)\\AppData\\Roaming\\Microsoft\\Windows\\Start Menu\\Programs"
architecture "$installer"

if [[ -n $side_by_side ]]; then
    own=$installer
    make_installer "$side_by_side" other
    other=$installer
    # Each over the other and back: one entry, in the view of the last one installed, and its
    # shortcut, whose folder the replaced one's removal left alone.
    for next in "$own" "$other" "$own"; do
        architecture "$next"
        install "$next" /S /AllUsers || fail "$(basename "$next") failed"
        check_installed "$machine_programs\\$name" "$machine_start_menu"
        check_entry "$view" "$machine_programs\\$name"
        [[ -z $(entry $((96 - view))) ]] || fail "a second entry is left in the $((96 - view))-bit view"
        echo "installer: $(basename "$next") replaced what was there: one entry, one shortcut"
    done
    uninstall "$machine_programs\\$name"
    check_nothing_left
    echo "installer: PASS"
    exit 0
fi

zip_listing=$(cmake -E tar tf "$out"/packages/*.zip | sort) || fail "cannot list the zip"
[[ $zip_listing == "$notices"$'\n'"$program" ]] || fail "the zip holds other files than $program and $notices: $zip_listing"
grep -qaF '<requestedExecutionLevel level="asInvoker"' "$installer" ||
    fail "the installer asks Windows for administrator rights before it starts"

# For everyone.
machine_dir="$machine_programs\\$name"
install "$installer" /S /AllUsers || fail "the silent install for everyone failed"
check_installed "$machine_dir" "$machine_start_menu"
check_entry "$view" "$machine_dir"
machine_unix_dir=$(unix_path "$machine_dir")
python3 "$here/../windows/exe_check.py" version "$version" "$installer" "$machine_unix_dir/Uninstall.exe" \
    >"$work/versions.log" || fail "version records:"$'\n'"$(cat "$work/versions.log")"
grep -q 'winpthreads' "$machine_unix_dir/$notices" || fail "the notices do not name the thread library linked in"
echo "installer: installed in $machine_dir, listed as $name $version, version records and notices in place"

stop_wine
bash "$here/../e2e/e2e_test.sh" --wine "$WINEPREFIX" "$machine_unix_dir/$program" "$out" >"$work/e2e.log" 2>&1 ||
    fail "the installed program fails the end-to-end scenario"
echo "installer: the installed program passes the end-to-end scenario; screenshots in $out"

# Reinstalls that must be refused, leaving the install as it was: the entry, the shortcut and the
# program.
start_program()
{
    wine "$machine_unix_dir/$program" >"$work/program.log" 2>&1 &
    pids+=($!)
    wait_for 30 xdotool search --name "^$name\$" >/dev/null || fail "the installed program did not start"
}
claim_newer_version()
{
    timeout 20 wine reg add "HKLM\\$key_path" /v DisplayVersion /d 9.99 /f /reg:$view >/dev/null 2>&1
}
for row in 'start_program|the program running' 'claim_newer_version|a newer version installed'; do
    "${row%%|*}"
    before=$(entry "$view")
    ! install "$installer" /S || fail "a reinstall with ${row#*|} succeeded"
    stop_wine
    check_installed "$machine_dir" "$machine_start_menu"
    [[ $(entry "$view") == "$before" ]] || fail "a refused reinstall with ${row#*|} changed the entry"
    echo "installer: a reinstall with ${row#*|} is refused, and the install stays as it was"
    timeout 20 wine reg add "HKLM\\$key_path" /v DisplayVersion /d "$version" /f /reg:$view >/dev/null 2>&1
done
# The publisher's keys of another product, which the uninstall leaves alone: its entry and its own key.
other_keys=('HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Vantrel Other Tool'
    'HKLM\Software\Vantrel\Vantrel Other Tool')
for key in "${other_keys[@]}"; do
    timeout 20 wine reg add "$key" /v Publisher /d Vantrel /f /reg:$view >/dev/null 2>&1 || fail "cannot add $key"
done
uninstall "$machine_dir"
for key in "${other_keys[@]}"; do
    timeout 20 wine reg query "$key" /reg:$view >/dev/null 2>&1 || fail "the uninstaller removed the publisher's $key"
done
for key in "${other_keys[0]}" 'HKLM\Software\Vantrel'; do
    timeout 20 wine reg delete "$key" /f /reg:$view >/dev/null 2>&1 || fail "cannot delete $key"
done
check_nothing_left
echo "installer: the uninstaller removed the folder, the shortcut, the entry and its temporary copy, and left the publisher's other keys"

# An upgrade from an older version in a folder chosen with /D=, whose entry the older installers
# wrote with stray values and a text NoModify: it stays in its folder, and its entry is written anew.
tools_dir='C:\Tools\HexConv'
install "$installer" /S /AllUsers "/D=$tools_dir" || fail "the install into $tools_dir failed"
for value in 'DisplayVersion /d 0.90' 'StartMenu /d Vantrel' 'NoModify /t REG_SZ /d 1'; do
    timeout 20 wine reg add "HKLM\\$key_path" /v $value /f /reg:$view >/dev/null 2>&1
done
install "$installer" /S || fail "the upgrade in $tools_dir failed"
check_installed "$tools_dir" "$machine_start_menu"
check_entry "$view" "$tools_dir"
uninstall "$tools_dir"
check_nothing_left
echo "installer: an older version in $tools_dir was upgraded in place"

# For the current user alone: the user's own folders and registry, which need no administrator
# rights.
user_dir="$user_programs\\$name"
install "$installer" /S /CurrentUser || fail "the silent install for the current user failed"
check_installed "$user_dir" "$user_start_menu"
check_entry user "$user_dir"
[[ -z $(entry "$view") ]] || fail "an install for the current user wrote an entry for everyone"
uninstall "$user_dir"
check_nothing_left
echo "installer: installed for the current user in $user_dir and removed again"

stop_wine
rm -rf "$WINEPREFIX"
echo "installer: PASS"
