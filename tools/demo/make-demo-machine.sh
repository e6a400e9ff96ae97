#!/usr/bin/env bash
# Prepares the demo machine: a Wine prefix seeded like a school workstation with the shell
# installed, and the program installed from its MSI package (the 64-bit build, which is not
# packaged, copied into the install folder).
# Usage: make-demo-machine.sh BUILD_DIR PREFIX [--reset]
# The seeding happens once (or again with --reset), so changes made in the demo survive a restart;
# the package is installed on every call.
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
# The title-bar buttons are drawn with Marlett (Debian's fonts-wine). This Wine does not load the
# fonts of its own data folder (/usr/lib/wine/../../share/wine), so the font goes where Windows
# keeps its fonts.
marlett=/usr/share/wine/fonts/marlett.ttf
[[ -f "$marlett" ]] && cp -f "$marlett" "$WINEPREFIX/drive_c/windows/Fonts/"

if [[ ! -f "$WINEPREFIX/.vlsm-seeded" ]]; then
    "$here/seed-prefix.sh" "$WINEPREFIX"
    # The class-management software the school runs beside the shell (a stand-in).
    if [[ -x "$root/tools/classroom/seed-classroom.sh" ]]; then
        "$root/tools/classroom/seed-classroom.sh" "$WINEPREFIX" "$build/bin/RostrumConfig.dll"
    fi
    touch "$WINEPREFIX/.vlsm-seeded"
fi

if [[ "${VLSM_ARCH:-x86}" == x64 ]]; then
    folder="$WINEPREFIX/drive_c/Program Files/Orrinford/Vexar Lumen Scheme Manager"
    cp -f "$build/bin/Vexar Lumen Scheme Manager.exe" "$build/bin/Ketterel.dll" "$folder/"
    exit 0
fi
# The program, installed as a school installs it: the build's package, silently. Each build is a
# new product of the same version, which replaces the one installed before.
package=$(ls -t "$build"/installer/VexarLumenSchemeManager-*.msi | head -n 1)
mkdir -p "$WINEPREFIX/drive_c/packages"
cp -f "$package" "$WINEPREFIX/drive_c/packages/"
if ! wine msiexec /i "C:\\packages\\$(basename "$package")" /qn </dev/null >/dev/null 2>&1; then
    echo "$0: installing $(basename "$package") failed" >&2
    exit 1
fi
exit 0
