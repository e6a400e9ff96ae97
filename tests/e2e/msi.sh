#!/usr/bin/env bash
# The MSI package on a machine where the program was never installed: a fresh prefix seeded with
# the shell's schemes gets an older package, then this build's as an upgrade; the installed
# program starts and lists the schemes; uninstalling leaves the shell's keys as they were.
# VLSM_BUILD and VLSM_SOURCE name the build and source folders, VLSM_MSI and VLSM_MSI_PREVIOUS the
# packages of this version and of an older one; VLSM_MSI_CLI is 1 when the console tool is built.
# The 64-bit build's tests install the 32-bit package of VLSM_PACKAGE_BUILD in a win64 prefix, as
# on 64-bit Windows: its files under Program Files (x86), its keys and the shell's (a 32-bit
# program too) in the registry's 32-bit view. The installed program is started only where the
# machine runs 32-bit code.
set -uo pipefail
here=$(dirname "$0")
if [[ -z "${VLSM_MSI:-}" ]]; then
    echo "skipped: this build is not packaged, and no 32-bit build's package was named (VLSM_PACKAGE_BUILD)"
    exit 77
fi
program_files='Program Files'
if [[ "${VLSM_ARCH:-x86}" == x64 ]]; then
    program_files='Program Files (x86)'
    e2e_view=32
    e2e_probe="$VLSM_PACKAGE_BUILD/bin/e2e_probe.exe" # the watched program's kind: its list's items
fi
wine_tools="$VLSM_SOURCE/tools/wine"
clean="$VLSM_BUILD/wine-clean"
e2e_prefix="$VLSM_BUILD/wine-msi"
"$wine_tools/prefix.sh" test "$clean" # made once, and never installed into
rm -rf "$e2e_prefix" && cp -a "$clean" "$e2e_prefix"
"$wine_tools/warm.sh" start "$e2e_prefix" "$VLSM_BUILD/bin/wine_keeper.exe"
source "$here/lib.sh"
trap '[[ -n "${program:-}" ]] && kill "$program" 2>/dev/null; "$wine_tools/warm.sh" stop "$WINEPREFIX"' EXIT

# The machine as the shell's own installation leaves it: none of the program's files or keys.
folder="C:\\$program_files\\Orrinford\\Vexar Lumen Scheme Manager"
installed="$WINEPREFIX/drive_c/$program_files/Orrinford/Vexar Lumen Scheme Manager"
rm -rf "$installed"
reg delete 'HKLM\Software\Orrinford\Vexar Lumen Scheme Manager' /f
reg delete 'HKLM\Software\Orrinford\VexarLumen Scheme Manager' /f
before=$(export_machine)

mkdir -p "$WINEPREFIX/drive_c/packages"
cp -f "$VLSM_MSI_PREVIOUS" "$VLSM_MSI" "$WINEPREFIX/drive_c/packages/"
msiexec() { wine msiexec "$1" "C:\\packages\\$(basename "$2")" /qn </dev/null >/dev/null 2>&1; }
products() { # the versions of every installed product of this name
    wine reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall' /s "${view[@]}" </dev/null 2>/dev/null |
        tr -d '\r' | awk -F '    ' '/^HKEY/ { key = $0 } $2 == "DisplayName" { name[key] = $4 }
            $2 == "DisplayVersion" { version[key] = $4 }
            END { for (k in name) if (name[k] == "Vexar Lumen Scheme Manager") print version[k] }' |
        sort | tr '\n' ' '
}
# Wine puts the shortcut of a per-machine package in the user's Start menu, Windows in All Users'.
shortcuts() { find "$WINEPREFIX/drive_c/users" "$WINEPREFIX/drive_c/ProgramData" -name 'Vexar Lumen Scheme Manager.lnk'; }

msiexec /i "$VLSM_MSI_PREVIOUS"
check "older package installed" "$(basename "$VLSM_MSI_PREVIOUS" .msi | cut -d- -f2) " "$(products)"
msiexec /i "$VLSM_MSI"
check "upgrade leaves one product, this version" "$(basename "$VLSM_MSI" .msi | cut -d- -f2) " "$(products)"

staged="$VLSM_PACKAGE_BUILD/installer/files"
for file in "Vexar Lumen Scheme Manager.exe" Ketterel.dll vlsm.exe "Closed Folder.bmp" "On-Line Resources.bmp" \
    "Help/Scheme Manager Help.htm"; do
    name=$(basename "$file")
    [[ "$name" == vlsm.exe && "$VLSM_MSI_CLI" != 1 ]] && continue # in builds without the console tool
    cmp -s "$staged/$name" "$installed/$file" && state=installed || state=missing
    check "$file" installed "$state"
done
check "Location" "$folder" "$(value 'HKLM\Software\Orrinford\Vexar Lumen Scheme Manager' Location)"
check "HelpPath" "$folder\\Help\\Scheme Manager Help.htm" \
    "$(value 'HKLM\Software\Orrinford\VexarLumen Scheme Manager' HelpPath)"
link=$(shortcuts)
check "one Start-menu shortcut" 1 "$(grep -c . <<<"$link")"
grep -aqF "$folder\\Vexar Lumen Scheme Manager.exe" "${link:-/dev/null}" && state=program || state=other
check "shortcut starts the installed program" program "$state"

# Started from the install folder, the program finds the default pictures through "Location".
exe="$folder\\Vexar Lumen Scheme Manager.exe"
if "$VLSM_SOURCE/tools/setup/runs-32bit.sh"; then
    start_program
    check "schemes listed" "0 Default User|0 Exam Room|1 Infants|1 Juniors|1 Sixth Form|1 Staff|1 Year 7|" "$(names)"
    check "default pictures copied from the install folder" "present present" \
        "$([[ -f "$pictures/Closed Folder.bmp" ]] && echo present) $([[ -f "$pictures/On-Line Resources.bmp" ]] && echo present)"
    close_program
else
    echo "skipped: starting the installed program: it is a 32-bit program, and this machine cannot run 32-bit code"
fi

msiexec /x "$VLSM_MSI"
check "no product left" "" "$(products)"
check "install folder removed" absent "$([[ -e "$installed" ]] && echo present || echo absent)"
check "shortcut removed" "" "$(shortcuts)"
check "the shell's keys as before, the program's gone" "$before" "$(export_machine)"

"$wine_tools/warm.sh" stop "$WINEPREFIX"
[[ $fails -eq 0 ]] && rm -rf "$e2e_prefix" # 600 MB, kept only to look into a failure
[[ $fails -eq 0 ]]
