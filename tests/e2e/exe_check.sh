#!/usr/bin/env bash
# What ships: a 32-bit GUI program of the right name and version, with the common-controls v6
# manifest, importing nothing but system DLLs and Ketterel.dll (runtimes linked in statically).
# The 64-bit build (ARCH x64) must be the same in 64-bit form.
# Usage: exe_check.sh BIN_DIR [x86|x64]
set -uo pipefail
bin="$1"
case "${2:-x86}" in
x64) pe="PE32+" machine="x86-64" objdump=x86_64-w64-mingw32-objdump ;;
*) pe="PE32" machine="Intel 80386" objdump=i686-w64-mingw32-objdump ;;
esac
exe="$bin/Vexar Lumen Scheme Manager.exe"
fails=0
check() {
    if eval "$2"; then echo "ok: $1"; else echo "FAILED: $1"; fails=$((fails + 1)); fi
}
check "program file exists" '[[ -f "$exe" ]]'
check "$pe GUI program for $machine" '[[ "$(file -b "$exe")" == "$pe executable (GUI) $machine,"* ]]'
check "Ketterel.dll is a $pe DLL for $machine" '[[ "$(file -b "$bin/Ketterel.dll")" == "$pe executable (DLL) "*"$machine,"* ]]'
imports=$($objdump -p "$exe" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u | tr '\n' ' ')
allowed=" advapi32.dll comctl32.dll comdlg32.dll gdi32.dll kernel32.dll ketterel.dll msvcrt.dll ole32.dll oleaut32.dll shell32.dll shlwapi.dll user32.dll "
for dll in $imports; do
    check "imports only system DLLs and Ketterel ($dll)" '[[ "$allowed" == *" $dll "* ]]'
done
check "no C++ runtime DLL" '[[ "$imports" != *libstdc* && "$imports" != *libgcc* && "$imports" != *libwinpthread* ]]'
kimports=$($objdump -p "$bin/Ketterel.dll" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | tr '\n' ' ')
check "Ketterel imports no C++ runtime DLL" '[[ "$kimports" != *libstdc* && "$kimports" != *libgcc* && "$kimports" != *libwinpthread* ]]'
versions=$(strings -el "$exe" | grep -c '^2\.28\.0\.0$')
check "version resource says 2.28.0.0 (file and product)" '[[ $versions -ge 2 ]]'
check "common-controls v6 manifest" 'grep -aq "Microsoft.Windows.Common-Controls" "$exe"'
check "runs as the user who started it (highestAvailable)" 'grep -aq "level=\"highestAvailable\"" "$exe"'
# The command-line tool: a console program that never asks for elevation (a script cannot answer).
tool="$bin/vlsm.exe"
check "vlsm.exe is a $pe console program for $machine" '[[ "$(file -b "$tool")" == "$pe executable (console) $machine,"* ]]'
timports=$($objdump -p "$tool" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | sort -u | tr '\n' ' ')
# It shows no progress dialog, so it stands alone: one file to copy onto a machine.
for dll in $timports; do
    check "vlsm.exe imports only system DLLs ($dll)" '[[ "$allowed" == *" $dll "* && $dll != ketterel.dll ]]'
done
check "vlsm.exe runs as invoked (asInvoker)" 'grep -aq "level=\"asInvoker\"" "$tool"'
check "vlsm.exe version resource says 2.28.0.0" '[[ $(strings -el "$tool" | grep -c "^2\.28\.0\.0$") -ge 2 ]]'
[[ $fails -eq 0 ]]
