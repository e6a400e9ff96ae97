#!/usr/bin/env bash
# Seeds an existing Wine prefix with the demo school's class-management software: its users
# (the Accounts keys), its class lists (the work-area configuration files), the configuration
# mode that shows the allocation layout and a few allocations. With DLLPATH, the stand-in
# component is copied into the prefix and registered as well.
# Running it again gives the same result. VLSM_REG_VIEW=32: the keys in a win64 prefix's 32-bit view.
# Usage: seed-classroom.sh PREFIX [DLLPATH]
set -euo pipefail
if [[ $# -lt 1 || ! -d "$1/drive_c" ]]; then
    echo "usage: $0 PREFIX [DLLPATH]   (an existing Wine prefix)" >&2
    exit 2
fi
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../wine/env.sh" "$1"
view=()
[[ "${VLSM_REG_VIEW:-}" == 32 ]] && view=(/reg:32)

rostrum="$WINEPREFIX/drive_c/Program Files/Orrinford/Rostrum"
mkdir -p "$rostrum/PallendraXP/Config"
cp -f "$here/demo/LocalPallendra.ini" "$here/demo/Pallendra.ini" "$rostrum/PallendraXP/Config/"

cp -f "$here/demo/classroom.reg" "$WINEPREFIX/drive_c/vexar-lumen-classroom.reg"
if [[ ${#view[@]} -gt 0 ]]; then
    wine reg import 'C:\vexar-lumen-classroom.reg' "${view[@]}" </dev/null >/dev/null 2>&1
else
    wine regedit /S 'C:\vexar-lumen-classroom.reg' </dev/null >/dev/null 2>&1
fi
wine reg query 'HKLM\Software\Orrinford\Rostrum\Configuration' /v Mode "${view[@]}" </dev/null >/dev/null 2>&1 || {
    echo "$0: importing classroom.reg into $WINEPREFIX failed" >&2
    exit 1
}
rm -f "$WINEPREFIX/drive_c/vexar-lumen-classroom.reg"

if [[ -n "${2:-}" ]]; then
    cp -f "$2" "$rostrum/RostrumConfig.dll"
    "$here/register.sh" "$1" "$rostrum/RostrumConfig.dll"
fi
