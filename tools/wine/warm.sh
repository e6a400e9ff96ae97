#!/usr/bin/env bash
# `warm.sh start PREFIX [KEEPER.exe]` starts the wineserver and the desktop detached, so that many
# short Wine processes start fast; `warm.sh stop PREFIX` ends everything of that prefix.
set -euo pipefail
here=$(dirname "$0")
source "$here/env.sh" "$2"
case "$1" in
start)
    setsid wineserver -p </dev/null >/dev/null 2>&1 || true
    setsid wine wineboot </dev/null >/dev/null 2>&1 || true
    if [[ -n "${3:-}" ]]; then
        setsid wine "$3" </dev/null >/dev/null 2>&1 &
    fi
    ;;
stop)
    wineserver -k >/dev/null 2>&1 || true
    ;;
esac
