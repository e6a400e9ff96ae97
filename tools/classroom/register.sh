#!/usr/bin/env bash
# Registers the class-management software's stand-in component (RostrumConfig.dll) for the whole
# machine of a Wine prefix, where the program finds it (Wine ignores per-user registrations).
# The DLL is registered where it lies, so a rebuilt DLL needs no new registration.
# Usage: register.sh PREFIX DLLPATH [--unregister]
set -euo pipefail
if [[ $# -lt 2 || ! -f "$2" ]]; then
    echo "usage: $0 PREFIX DLLPATH [--unregister]" >&2
    exit 2
fi
here=$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)
source "$here/../wine/env.sh" "$1"
dll=$(winepath -w "$(realpath "$2")" 2>/dev/null)
if [[ "${3:-}" == "--unregister" ]]; then
    wine regsvr32 /s /u "$dll" </dev/null >/dev/null 2>&1
else
    wine regsvr32 /s "$dll" </dev/null >/dev/null 2>&1
fi
