#!/usr/bin/env bash
# Runs the DPI layout test at 96, 144 and 192 DPI, each in a Wine prefix of its own: a copy of the
# ready test prefix with its display DPI set (HKCU\Control Panel\Desktop LogPixels, which Wine
# reads when the prefix's processes start). The prefixes are kept for the next run.
# Usage: run.sh BUILD_DIR TEST_EXE KEEPER_EXE [test arguments]
set -euo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$1
exe=$2
keeper=$3
shift 3
status=0
for dpi in 96 144 192; do
    prefix="$build/wine-dpi-$dpi"
    if [[ ! -f "$prefix/.vlsm-dpi" ]]; then
        rm -rf "$prefix"
        cp -a "$build/wine-test" "$prefix"
        (
            source "$root/tools/wine/env.sh" "$prefix"
            wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
                </dev/null >/dev/null 2>&1
            wineserver -k || true
            wineserver -w
        )
        touch "$prefix/.vlsm-dpi"
    fi
    "$root/tools/wine/warm.sh" start "$prefix" "$keeper"
    echo "== $dpi DPI"
    VLSM_DPI=$dpi VLSM_TEST_PREFIX="$prefix" "$build/wine-run.sh" "$exe" "$@" || status=1
    "$root/tools/wine/warm.sh" stop "$prefix"
done
exit $status
