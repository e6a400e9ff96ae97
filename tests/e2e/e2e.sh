#!/usr/bin/env bash
# One end-to-end case: the built program started in the test prefix, seeded as the demo machine
# and then changed as the case needs, watched and answered from outside by the probe.
# Usage: e2e.sh CASE   (VLSM_BUILD and VLSM_SOURCE name the build and source folders)
set -uo pipefail
source "$(dirname "$0")/lib.sh"

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
main-list)
    start_program
    check "schemes listed by name, built-in ones marked" \
        "0 Default User|0 Exam Room|1 Infants|1 Juniors|1 Sixth Form|1 Staff|1 Year 7|" "$(names)"
    check "descriptions listed" "Juniors	Years 3 to 6" "$(probe rows "$title" 1021 | cut -f2,3 | grep '^Juniors')"
    probe command "$title" 32772 # About
    expect_window "About Vexar Lumen Scheme Manager"
    check "About text" "Vexar Lumen Scheme Manager version 2.28.0.0" \
        "$(probe texts "About Vexar Lumen Scheme Manager" | grep version)"
    probe click "About Vexar Lumen Scheme Manager" 1
    expect_gone "About Vexar Lumen Scheme Manager"
    reg delete 'HKLM\Software\Orrinford\VexarLumen Scheme Manager' /v HelpPath /f
    probe command "$title" 32771 # Help
    expect_window "Help Problem"
    check "Help Problem text" 'There has been a problem locating the correct help file.\nIt is recommended you inform your system administrator\nof this error' "$(probe text "Help Problem" 65535)"
    probe click "Help Problem" 1
    expect_gone "Help Problem"
    close_program
    ;;
helper-chooser)
    agent='HKLM\Software\Orrinford\VexarLumen\Settings'
    start_program
    probe click "$title" 1139
    expect_window "Choose an OnScreen Helper"
    check "stored helper shown" Merlin "$(probe text "Choose an OnScreen Helper" 1142)"
    probe click "Choose an OnScreen Helper" 1145 # Genie
    probe click "Choose an OnScreen Helper" 1
    expect_gone "Choose an OnScreen Helper"
    check "Genie stored" 'C:\windows\msagent\chars\Genie.acs' "$(value "$agent" "msAgent Path")"
    probe click "$title" 1139
    expect_window "Choose an OnScreen Helper"
    check "Genie read back" Genie "$(probe text "Choose an OnScreen Helper" 1142)"
    probe click "Choose an OnScreen Helper" 1141 # Peedy, then Escape: nothing stored
    probe command "Choose an OnScreen Helper" 2
    expect_gone "Choose an OnScreen Helper"
    check "Escape stores nothing" 'C:\windows\msagent\chars\Genie.acs' "$(value "$agent" "msAgent Path")"
    close_program
    ;;
create-copy-rename-delete)
    start_program
    # A completely new scheme.
    probe click "$title" 1014
    expect_window "Scheme Creation"
    probe click "Scheme Creation" 1
    expect_window "New Scheme Properties"
    probe settext "New Scheme Properties" 1036 "Year 8"
    probe settext "New Scheme Properties" 1028 "Second year of secondary school"
    probe click "New Scheme Properties" 1
    expect_gone "New Scheme Properties"
    check "new scheme's description" "Second year of secondary school" "$(value "$schemes" "Year 8")"
    check "new scheme's key" "Year 8" "$(value "$schemes\Year 8" "Scheme Name")"
    check "new scheme listed" "1 Year 8" "$(probe rows "$title" 1021 | cut -f1,2 | tr '\t' ' ' | grep 'Year 8')"
    # A copy of Juniors with its roots and links.
    probe click "$title" 1014
    expect_window "Scheme Creation"
    probe click "Scheme Creation" 1121
    probe choose "Scheme Creation" 1123 "Juniors"
    probe click "Scheme Creation" 1
    expect_window "New Scheme Properties"
    probe settext "New Scheme Properties" 1036 "Juniors Copy"
    probe click "New Scheme Properties" 1
    expect_gone "New Scheme Properties"
    check "copy keeps the roots" "$(value "$schemes\Juniors\FolderDisplay\Root 1" RootPath)" \
        "$(value "$schemes\Juniors Copy\FolderDisplay\Root 1" RootPath)"
    check "copy keeps the links" "$(value "$schemes\Juniors\WebLinks\WebLink 1" URL)" \
        "$(value "$schemes\Juniors Copy\WebLinks\WebLink 1" URL)"
    check "copy starts with the template's description" "Years 3 to 6" "$(value "$schemes" "Juniors Copy")"
    # Rename Year 7; a key of the shell's own goes with it, and so does whoever had it.
    reg add "$schemes\Year 7\ShellState" /v Seen /t REG_DWORD /d 3 /f
    reg add 'HKLM\Software\Orrinford\VexarLumen\Class Schemes' /v 9Z /d "Year 7" /f
    reg add 'HKLM\Software\Orrinford\VexarLumen\User Schemes' /v pupil9 /d "YEAR 7" /f
    probe select "$title" 1021 "Year 7"
    probe click "$title" 1016
    expect_window "Existing Scheme Properties"
    probe settext "Existing Scheme Properties" 1036 "Year Seven"
    probe click "Existing Scheme Properties" 1
    expect_gone "Existing Scheme Properties"
    check "old name's value gone" "<missing>" "$(value "$schemes" "Year 7")"
    check "old name's key gone" no "$(key_exists "$schemes\Year 7")"
    check "new name's description" "First year of secondary school" "$(value "$schemes" "Year Seven")"
    check "renamed scheme's name" "Year Seven" "$(value "$schemes\Year Seven" "Scheme Name")"
    check "shell's own key kept" 0x3 "$(value "$schemes\Year Seven\ShellState" Seen)"
    check "class allocation follows" "Year Seven" "$(value 'HKLM\Software\Orrinford\VexarLumen\Class Schemes' 9Z)"
    check "user allocation follows" "Year Seven" "$(value 'HKLM\Software\Orrinford\VexarLumen\User Schemes' pupil9)"
    # Only the letter case changes: no other name is asked for, and the scheme stays.
    probe select "$title" 1021 "Juniors Copy"
    probe click "$title" 1016
    expect_window "Existing Scheme Properties"
    probe settext "Existing Scheme Properties" 1036 "juniors copy"
    probe click "Existing Scheme Properties" 1
    expect_gone "Existing Scheme Properties"
    probe wait "Scheme Name Problem" 1000 && check "no other name asked for" absent shown
    check "case-only rename keeps the scheme" "juniors copy" "$(value "$schemes\juniors copy" "Scheme Name")"
    check "case-only rename's value" "Years 3 to 6" "$(value "$schemes" "juniors copy")"
    # Delete Staff, after the question; a built-in scheme is refused.
    probe select "$title" 1021 "Staff"
    probe click "$title" 1015
    expect_window "Scheme Deletion"
    probe click "Scheme Deletion" 1
    expect_gone "Scheme Deletion"
    check "deleted scheme's value gone" "<missing>" "$(value "$schemes" "Staff")"
    check "deleted scheme's key gone" no "$(key_exists "$schemes\Staff")"
    probe select "$title" 1021 "Exam Room"
    probe click "$title" 1015
    expect_window "Error"
    check "built-in scheme refused" "Exam Room is a built in scheme and cannot be removed" "$(probe text "Error" 65535)"
    probe click "Error" 1
    expect_gone "Error"
    check "built-in scheme kept" yes "$(key_exists "$schemes\Exam Room")"
    check "list after the commands" \
        "0 Default User|0 Exam Room|1 Infants|1 Juniors|1 juniors copy|1 Sixth Form|1 Year 8|1 Year Seven|" "$(names)"
    close_program
    ;;
allocation)
    start_program
    probe click "$title" 1124
    expect_window "Classes, Users and Schemes"
    check "classes first, then users" "1 7A|1 7A|1 7B|" \
        "$(probe rows "Classes, Users and Schemes" 1124 | cut -f1,2 | head -n 3 | tr '\t\n' ' |')"
    probe select "Classes, Users and Schemes" 1124 "7B"
    probe click "Classes, Users and Schemes" 1126
    expect_window "Schemes"
    probe choose "Schemes" 1128 "Juniors"
    probe click "Schemes" 1
    expect_gone "Schemes"
    probe click "Classes, Users and Schemes" 1
    expect_gone "Classes, Users and Schemes"
    check "class allocation written" Juniors "$(value 'HKLM\Software\Orrinford\VexarLumen\Class Schemes' 7B)"
    # The per-user layout when the machine is configured for it.
    reg add 'HKLM\Software\Orrinford\Rostrum\Configuration' /v Mode /t REG_DWORD /d 8 /f
    probe click "$title" 1124
    expect_window "User Schemes"
    probe has "User Schemes" 2 && check "per-user layout has no Cancel" hidden shown
    probe choose "User Schemes" 1023 "Infants"
    probe click "User Schemes" 1
    expect_gone "User Schemes"
    check "current user's scheme written" Infants "$(value 'HKCU\Software\Orrinford\VexarLumen' ConfigToUse)"
    close_program
    ;;
*)
    echo "unknown case $1" >&2
    exit 2
    ;;
esac
[[ $fails -eq 0 ]]
