#!/usr/bin/env bash
# Sets the display scale of a Wine prefix: its DPI (HKCU\Control Panel\Desktop LogPixels) and the
# size of its virtual desktop. Wine reads both when the prefix's processes start, so the prefix's
# server is restarted when either changes.
# Usage: set-scale.sh PREFIX DPI WIDTHxHEIGHT
set -euo pipefail
here=$(dirname "$0")
source "$here/../wine/env.sh" "$1"
dpi=$2
desktop=$3
stamp="$WINEPREFIX/.vlsm-scale"
[[ -f "$stamp" && "$(cat "$stamp")" == "$dpi $desktop" ]] && exit 0
wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f </dev/null >/dev/null 2>&1
wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d "$desktop" /f </dev/null >/dev/null 2>&1
wineserver -k || true
wineserver -w
echo "$dpi $desktop" >"$stamp"
