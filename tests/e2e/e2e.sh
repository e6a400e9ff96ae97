#!/usr/bin/env bash
# One end-to-end case: the built program started in the test prefix, seeded as the demo machine
# and then changed as the case needs, watched and answered from outside by the probe.
# Usage: e2e.sh CASE   (VLSM_BUILD and VLSM_SOURCE name the build and source folders)
set -uo pipefail
source "$VLSM_SOURCE/tools/wine/env.sh" "$VLSM_BUILD/wine-test"
exe="$VLSM_BUILD/bin/Vexar Lumen Scheme Manager.exe"
title="Vexar Lumen Scheme Manager"
fails=0

probe() { wine "$VLSM_BUILD/bin/e2e_probe.exe" "$@" </dev/null 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }
reg() { wine reg "$@" </dev/null >/dev/null 2>&1; }
check() { # description, expected, actual
    if [[ "$2" == "$3" ]]; then
        echo "ok: $1"
    else
        echo "FAILED: $1"
        echo "  expected: $(printf %q "$2")"
        echo "  actual:   $(printf %q "$3")"
        fails=$((fails + 1))
    fi
}
wait_state() { # the window's state changes asynchronously
    for _ in $(seq 30); do
        [[ "$(probe state "$title")" == "$1" ]] && return
        sleep 0.1
    done
}
export_machine() {
    rm -f "$WINEPREFIX/drive_c/e2e-export.reg"
    wine regedit /E 'C:\e2e-export.reg' 'HKEY_LOCAL_MACHINE\Software\Orrinford' </dev/null >/dev/null 2>&1
    iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/drive_c/e2e-export.reg" 2>/dev/null
}

# The demo machine, afresh: the shell's keys and files, no policy, the default pictures not yet copied.
reg delete 'HKLM\Software\Orrinford' /f
reg delete 'HKCU\Software\Policies\Orrinford' /f
"$VLSM_SOURCE/tools/demo/seed-prefix.sh" "$WINEPREFIX" >/dev/null
pictures="$WINEPREFIX/drive_c/Program Files/Orrinford/Vexar Lumen 2/Pictures"
rm -f "$pictures/Closed Folder.bmp" "$pictures/On-Line Resources.bmp"

# Starts the program, expects a start-up box, answers it, and checks that nothing was written.
expect_refusal() { # box title, box text with line ends written as \n and \r, icon (none/shown)
    local before after status
    before=$(export_machine)
    wine "$exe" </dev/null >/dev/null 2>&1 &
    local pid=$!
    if probe wait "$1" 15000; then
        check "\"$1\" text" "$2" "$(probe text "$1" 65535)"
        local icon=none
        probe icon "$1" 1088 && icon=shown
        check "\"$1\" icon" "$3" "$icon"
        probe click "$1" 1
    else
        check "\"$1\" shown" "shown" "not shown"
        probe click "$title" 1
    fi
    wait "$pid"
    status=$?
    check "program ended with code 0" 0 "$status"
    after=$(export_machine)
    check "nothing written to the registry" "$before" "$after"
    [[ -f "$pictures/Closed Folder.bmp" ]] && check "default pictures not copied" absent present
}

case "$1" in
missing-schemes-key)
    reg delete 'HKLM\Software\Orrinford\VexarLumen\Schemes' /f
    expect_refusal "Serious Problem" 'There has been a problem reading Vexar Lumens Settings.\nThis is due to Vexar Lumen not being installed or the settings have become damaged.\nIt is recommended that Vexar Lumen is reinstalled.\n\nVexar Lumen Scheme Manager can not run so will now exit' shown
    ;;
no-schemes)
    reg delete 'HKLM\Software\Orrinford\VexarLumen\Schemes' /f
    reg add 'HKLM\Software\Orrinford\VexarLumen\Schemes\Placeholder' /f # a key without a value lists nothing
    reg add 'HKCU\Software\Policies\Orrinford\Vexar Lumen Scheme Manager' /v Lock /t REG_DWORD /d 1 /f
    expect_refusal "No Schemes Found" 'There are no Vexar Lumen Schemes on this machine\n\rso Vexar Lumen Scheme Manager cannot run.\n\r\n\rPlease reinstall Vexar Lumen.' none
    ;;
locked)
    reg add 'HKCU\Software\Policies\Orrinford\Vexar Lumen Scheme Manager' /v Lock /t REG_DWORD /d 1 /f
    expect_refusal "Access Denied" "Vexar Lumen Scheme Manager cannot be used by pupils." none
    ;;
no-pictures)
    empty="$WINEPREFIX/drive_c/e2e-empty-pictures"
    rm -rf "$empty" && mkdir -p "$empty"
    reg add 'HKLM\Software\Orrinford\VexarLumen\Settings' /v 'Default Pictures' /d 'C:\e2e-empty-pictures' /f
    expect_refusal "Unable to Run" 'There are no bitmaps available for the Scheme Manager.\n\rPlease reinstall Vexar Lumen.' none
    ;;
starts)
    wine "$exe" </dev/null >/dev/null 2>&1 &
    pid=$!
    if probe wait "$title" 15000; then
        check "default pictures copied" "present present" \
            "$([[ -f "$pictures/Closed Folder.bmp" ]] && echo present) $([[ -f "$pictures/On-Line Resources.bmp" ]] && echo present)"
        probe click "$title" 1
    else
        check "main dialog shown" shown "not shown"
    fi
    wait "$pid"
    check "program ended with code 0" 0 "$?"
    ;;
second-copy)
    wine "$exe" </dev/null >/dev/null 2>&1 &
    first=$!
    if probe wait "$title" 15000; then
        probe minimize "$title"
        wait_state minimized
        check "first copy minimised" minimized "$(probe state "$title")"
        wine "$exe" </dev/null >/dev/null 2>&1
        check "second copy ended at once with code 0" 0 "$?"
        wait_state normal
        check "first copy restored" normal "$(probe state "$title")"
        probe click "$title" 1
    else
        check "main dialog shown" shown "not shown"
    fi
    wait "$first"
    ;;
*)
    echo "unknown case $1" >&2
    exit 2
    ;;
esac
[[ $fails -eq 0 ]]
