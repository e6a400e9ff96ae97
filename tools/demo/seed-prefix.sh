#!/bin/bash
# Seeds an existing Wine prefix as the demo school workstation: the shell's
# registry keys (schemes, built-in schemes, settings, the program's own keys)
# and the files they name (picture folders, default pictures, help file).
# Running it again gives the same result. It does not install the program.
# With VLSM_REG_VIEW=32, the keys go to the 32-bit view of a win64 prefix, where a 32-bit
# shell keeps them.
#
# Usage: seed-prefix.sh PREFIX
set -euo pipefail

if [ $# -ne 1 ] || [ ! -d "$1/drive_c" ]; then
    echo "usage: $0 PREFIX   (an existing Wine prefix)" >&2
    exit 2
fi

HERE=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$HERE/../wine/env.sh" "$1"
VIEW=()
[ "${VLSM_REG_VIEW:-}" = 32 ] && VIEW=(/reg:32)

ORRINFORD="$WINEPREFIX/drive_c/Program Files/Orrinford"
SHELL_DIR="$ORRINFORD/Vexar Lumen 2"
INSTALL_DIR="$ORRINFORD/Vexar Lumen Scheme Manager"

# Files first, so that every path in the registry names a file when the
# registry appears.
mkdir -p "$SHELL_DIR/Pictures" "$SHELL_DIR/User Pictures" "$INSTALL_DIR/Help"
cp -f "$HERE"/pictures/*.bmp "$SHELL_DIR/Pictures/"
cp -f "$HERE"/user-pictures/*.bmp "$SHELL_DIR/User Pictures/"
cp -f "$HERE"/install/*.bmp "$INSTALL_DIR/"
cp -f "$HERE/help/Scheme Manager Help.htm" "$INSTALL_DIR/Help/"

# regedit reads the file through a Windows path; a copy inside the prefix
# avoids depending on how the host folder maps to a drive.
cp -f "$HERE/seed.reg" "$WINEPREFIX/drive_c/vexar-lumen-seed.reg"
# Schemes edited or added since the last seeding are dropped, so a re-seed
# gives back exactly the demo schemes. Other keys are only overwritten.
for key in 'Schemes' 'Protected Schemes'; do
    wine reg delete "HKLM\\Software\\Orrinford\\VexarLumen\\$key" /f "${VIEW[@]}" \
        </dev/null >/dev/null 2>&1 || true
done
if [ ${#VIEW[@]} -gt 0 ]; then
    wine reg import 'C:\vexar-lumen-seed.reg' "${VIEW[@]}" </dev/null >/dev/null 2>&1
else
    wine regedit /S 'C:\vexar-lumen-seed.reg' </dev/null >/dev/null 2>&1
fi
# regedit /S reports nothing, so look for a value it should have written.
wine reg query 'HKLM\Software\Orrinford\VexarLumen\Schemes' /v 'Default User' "${VIEW[@]}" \
    </dev/null >/dev/null 2>&1 || {
    echo "$0: importing seed.reg into $WINEPREFIX failed" >&2
    exit 1
}
rm -f "$WINEPREFIX/drive_c/vexar-lumen-seed.reg"
