#!/usr/bin/env bash
# Creates one of the project's Wine prefixes, once: `prefix.sh test DIR` (null display driver,
# for the tests) or `prefix.sh demo DIR` (a 1024x768 virtual desktop, for the demo machine).
set -euo pipefail
kind=$1
here=$(dirname "$0")
source "$here/env.sh" "$2"
[[ -f "$WINEPREFIX/.vlsm-ready" ]] && exit 0

rm -rf "$WINEPREFIX"
mkdir -p "$WINEPREFIX" # wineserver -p fails when the folder is missing
wineserver -p </dev/null >/dev/null 2>&1
wine wineboot -i </dev/null >/dev/null 2>&1
case "$kind" in
test)
    # The null driver only takes effect after a server restart (else every window fails).
    wine reg add 'HKCU\Software\Wine\Drivers' /v Graphics /d null /f >/dev/null 2>&1
    ;;
demo)
    wine reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f >/dev/null 2>&1
    wine reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1024x768 /f >/dev/null 2>&1
    ;;
*)
    echo "usage: $0 test|demo DIR" >&2
    exit 2
    ;;
esac
wineserver -k || true
wineserver -w
touch "$WINEPREFIX/.vlsm-ready"
