#!/usr/bin/env bash
# Prepares the demo machine: a Wine prefix seeded like a school workstation with the shell
# installed, and the program installed where an administrator would have it.
# Usage: make-demo-machine.sh BUILD_DIR PREFIX [--reset]
# The seeding happens once (or again with --reset), so changes made in the demo survive a restart;
# the program's files are copied on every call.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
build=$1
prefix=$2

if [[ "${3:-}" == "--reset" ]]; then
    rm -f "$prefix/.vlsm-seeded"
fi
"$root/tools/wine/prefix.sh" demo "$prefix"
source "$root/tools/wine/env.sh" "$prefix"

if [[ ! -f "$WINEPREFIX/.vlsm-seeded" ]]; then
    "$here/seed-prefix.sh" "$WINEPREFIX"
    # The class-management software the school runs beside the shell (a stand-in).
    if [[ -x "$root/tools/classroom/seed-classroom.sh" ]]; then
        "$root/tools/classroom/seed-classroom.sh" "$WINEPREFIX" "$build/bin/RostrumConfig.dll"
    fi
    touch "$WINEPREFIX/.vlsm-seeded"
fi

install="$WINEPREFIX/drive_c/Program Files/Orrinford/Vexar Lumen Scheme Manager"
mkdir -p "$install"
cp -f "$build/bin/Vexar Lumen Scheme Manager.exe" "$install/"
[[ -f "$build/bin/Ketterel.dll" ]] && cp -f "$build/bin/Ketterel.dll" "$install/"
exit 0
