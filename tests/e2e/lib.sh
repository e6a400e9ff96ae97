# Sourced by the end-to-end scripts: the test prefix seeded afresh as the demo machine, and the
# helpers that start the program and watch and answer it from outside through the probe.
# VLSM_BUILD and VLSM_SOURCE name the build and source folders; e2e_prefix, when set, another
# prefix than the test prefix; e2e_view=32, the registry's 32-bit view of a win64 prefix (where a
# 32-bit program's keys are); e2e_probe, another build's probe (one of the watched program's kind).
source "$VLSM_SOURCE/tools/wine/env.sh" "${e2e_prefix:-$VLSM_BUILD/wine-test}"
view=()
[[ "${e2e_view:-}" == 32 ]] && view=(/reg:32)
export VLSM_REG_VIEW="${e2e_view:-}"
exe="$VLSM_BUILD/bin/Vexar Lumen Scheme Manager.exe"
title="Vexar Lumen Scheme Manager"
source "$VLSM_SOURCE/tests/e2e/check.sh"

probe() { wine "${e2e_probe:-$VLSM_BUILD/bin/e2e_probe.exe}" "$@" </dev/null 2>/dev/null | tr -d '\r'; return "${PIPESTATUS[0]}"; }
reg() { wine reg "$@" "${view[@]}" </dev/null >/dev/null 2>&1; }
wait_state() { # the window's state changes asynchronously
    for _ in $(seq 30); do
        [[ "$(probe state "$title")" == "$1" ]] && return
        sleep 0.1
    done
}
export_machine() {
    rm -f "$WINEPREFIX/drive_c/e2e-export.reg"
    if [[ ${#view[@]} -gt 0 ]]; then
        wine reg export 'HKLM\Software\Orrinford' 'C:\e2e-export.reg' "${view[@]}" /y </dev/null >/dev/null 2>&1
    else
        wine regedit /E 'C:\e2e-export.reg' 'HKEY_LOCAL_MACHINE\Software\Orrinford' </dev/null >/dev/null 2>&1
    fi
    iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/drive_c/e2e-export.reg" 2>/dev/null
}

# The demo machine, afresh: the shell's keys and files, no policy, the default pictures not yet copied.
reg delete 'HKLM\Software\Orrinford' /f
reg delete 'HKCU\Software\Policies\Orrinford' /f
"$VLSM_SOURCE/tools/demo/seed-prefix.sh" "$WINEPREFIX" >/dev/null
# The component only in the build's own view: a 32-bit program cannot load a 64-bit one.
classroom_dll="$VLSM_BUILD/bin/RostrumConfig.dll"
[[ ${#view[@]} -gt 0 ]] && classroom_dll=""
"$VLSM_SOURCE/tools/classroom/seed-classroom.sh" "$WINEPREFIX" $classroom_dll >/dev/null
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

schemes='HKLM\Software\Orrinford\VexarLumen\Schemes'
# The data of one registry value as `reg query` shows it, or "<missing>".
value() { # key, value name
    local line
    line=$(wine reg query "$1" /v "$2" "${view[@]}" </dev/null 2>/dev/null | tr -d '\r' | grep -F "    $2    " | head -n 1)
    [[ -n "$line" ]] && echo "${line#*    REG_*    }" || echo "<missing>"
}
key_exists() { wine reg query "$1" "${view[@]}" </dev/null >/dev/null 2>&1 && echo yes || echo no; }
names() { probe rows "$title" 1021 | cut -f1,2 | tr '\t\n' ' |'; }

# A case that stops half-way ends its program, or the next case's copy would only bring it forward.
trap '[[ -n "${program:-}" ]] && kill "$program" 2>/dev/null' EXIT

start_program() {
    wine "$exe" </dev/null >/dev/null 2>&1 &
    program=$!
    probe wait "$title" 15000 || { check "main dialog shown" shown "not shown"; exit 1; }
}
close_program() {
    probe click "$title" 1
    for _ in $(seq 150); do
        kill -0 "$program" 2>/dev/null || break
        sleep 0.1
    done
    if kill -0 "$program" 2>/dev/null; then
        check "program closed by its Close button" closed "still running"
        kill "$program"
    fi
    wait "$program"
    check "program ended with code 0" 0 "$?"
}
# Polls a command until it succeeds (15 s at most): for what the program finishes after a dialog
# closes, while its progress dialog keeps the main window from answering in order.
eventually() {
    for _ in $(seq 150); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}
# Waits for a window, and fails the case when it does not come.
expect_window() {
    probe wait "$1" 30000 || { check "window \"$1\" shown" shown "not shown"; probe click "$title" 2; exit 1; }
}
# Waits for a window to close and for the main dialog to finish the command that showed it.
expect_gone() {
    probe gone "$1" 30000 || check "window \"$1\" closed" closed open
    probe idle "$title"
}

