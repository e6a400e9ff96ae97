#!/usr/bin/env bash
# Scheme files through the real program's Save and Open dialogs: a saved file decoded here
# independently, and files written here loaded by the program and by the tool beside it.
# Usage: files.sh CASE
set -uo pipefail
here=$(dirname "$0")
source "$here/lib.sh"
esm() { python3 "$here/esm.py" "$@"; }
folder="$WINEPREFIX/drive_c/e2e-files"
rm -rf "$folder" && mkdir -p "$folder"

# Saves or loads through the program's own file dialog ("Save As" or "Open").
through_dialog() { # button id, dialog title, Windows path
    probe click "$title" "$1"
    expect_window "$2"
    probe settext "$2" 1148 "$3"
    probe click "$2" 1
    expect_gone "$2"
}
# The records of one scheme, from "Scheme N"/"Name of scheme" up to the next scheme's.
records_of() { # decoded file, scheme name
    awk -F'\t' -v name="$2" '$2 == "Name of scheme" { inside = ($3 == name); next } inside' "$1"
}

# The records of one scheme with one root and no web links, as the program would save them.
scheme_records() { # scheme number, name
    local name=$2 section="$2 - FolderDisplay - Root 1" page button
    printf 'Scheme%s\tName of scheme\t%s\n' "$1" "$name"
    printf '%s - Defaults\t%s\t%s\n' "$name" DefaultView icons "$name" DefaultIconSize 32 \
        "$name" DefaultFirstTab 2 "$name" ShortToolTips 1 "$name" Silent 0 "$name" "Context Menu" 1 \
        "$name" "Options Menu" 0
    printf '%s - FolderDisplay\tRootFoldersCount\t1\n' "$name"
    printf '%s\t%s\t%s\n' "$section" CollapsedIconFile 'C:\pics\closed.bmp' "$section" ExpandedIconFile \
        'C:\pics\open.bmp' "$section" RootDisplayName "Homework" "$section" RootPath 'H:\Homework' \
        "$section" DenyModify 1 "$section" FolderLevels 3 "$section" LongToolTip "Your homework" \
        "$section" ShortToolTip "Homework" "$section" "Wav File" ""
    printf '%s - Tabs\t%s\t%s\n' "$name" Page1 1 "$name" Page2 1 "$name" Page3 0
    for page in 1 2 3; do
        for button in Back Copy Cut Delete Forward Help Icon New Paste Print Refresh Rename Side Undo Up View; do
            printf '%s - ToolBars - Page %s\t%s\t%s\n' "$name" "$page" "$button" 1
        done
    done
    printf '%s - Folder Display\tWeblinksCount\t0\n' "$name"
}
# Opens a file that the program must refuse, and checks that it said so and wrote nothing.
expect_refused() { # Windows path
    local before
    before=$(export_machine)
    through_dialog 1034 "Open" "$1"
    expect_window "File Load Problem"
    check "refused" "This does not appear to be a valid Vexar Lumen Scheme Manager File." \
        "$(probe text "File Load Problem" 65535)"
    probe click "File Load Problem" 1
    expect_gone "File Load Problem"
    check "nothing written" "$before" "$(export_machine)"
}

case "$1" in
save)
    start_program
    through_dialog 1035 "Save As" 'C:\e2e-files\school.esm'
    # The file appears whole, by a rename, once the save has finished.
    eventually test -f "$folder/school.esm" || { check "file saved" saved missing; close_program; exit 1; }
    esm decode "$folder/school.esm" >"$folder/school.txt"
    check "file decodes into whole records" 0 $?
    check "entries first, in pairs, then the count" \
        "Config Hive	Config1|Config Hive|Config Hive	Config2|Config Hive|" \
        "$(head -n 4 "$folder/school.txt" | cut -f1,2 | sed '2s/\t.*//;4s/\t.*//' | tr '\n' '|')"
    check "scheme count" "Scheme Count	The number of schemes	7" "$(sed -n 15p "$folder/school.txt")"
    check "first scheme record" "Scheme0	Name of scheme" "$(sed -n 16p "$folder/school.txt" | cut -f1,2)"
    # Every scheme carries 7 + 1 + 9R + 3 + 48 + 1 + 6W records, R roots and W links as stored.
    for scheme in "Default User" "Juniors" "Year 7"; do
        roots=$(($(value "$schemes\\$scheme\\FolderDisplay" RootFolderCount)))
        links=$(($(value "$schemes\\$scheme\\WebLinks" WebLinksCount)))
        check "$scheme: record count" $((60 + 9 * roots + 6 * links)) "$(records_of "$folder/school.txt" "$scheme" | wc -l)"
        check "$scheme: defaults first" "$scheme - Defaults	DefaultView	$(value "$schemes\\$scheme\\Defaults" DefaultView)" \
            "$(records_of "$folder/school.txt" "$scheme" | head -n 1)"
        check "$scheme: description entry" "$(value "$schemes" "$scheme")" \
            "$(awk -F'\t' -v name="$scheme" '$1 == "Config Hive" && $2 == name { print $3 }' "$folder/school.txt")"
    done
    check "toolbar switches saved as 0 or 1" "" \
        "$(grep -P ' - ToolBars - Page [123]\t' "$folder/school.txt" | cut -f3 | grep -v '^[01]$' | head -n 1)"
    close_program
    ;;
load)
    # A file written here: a new scheme, and an existing one with new values.
    {
        printf 'Config Hive\tConfig1\tYear 9\n'
        printf 'Config Hive\tYear 9\tThird year of secondary school\n'
        printf 'Config Hive\tConfig2\tJuniors\n'
        printf 'Config Hive\tJuniors\tJuniors, reloaded\n'
        printf 'Scheme Count\tThe number of schemes\t2\n'
        scheme_records 0 "Year 9"
        scheme_records 1 "Juniors"
    } | esm encode "$folder/held-out.esm"
    chmod a-w "$folder/held-out.esm"
    before=$(md5sum <"$folder/held-out.esm")
    start_program
    through_dialog 1034 "Open" 'C:\e2e-files\held-out.esm'
    # The list is rebuilt once everything has been written.
    listed() { probe rows "$title" 1021 | cut -f2 | grep -qx "Year 9"; }
    eventually listed || check "load finished" finished "not finished"
    check "new scheme's description" "Third year of secondary school" "$(value "$schemes" "Year 9")"
    check "new scheme's root" 'H:\Homework' "$(value "$schemes\\Year 9\\FolderDisplay\\Root 1" RootPath)"
    check "new scheme's levels" 0x3 "$(value "$schemes\\Year 9\\FolderDisplay\\Root 1" FolderLevels)"
    check "new scheme's view" icons "$(value "$schemes\\Year 9\\Defaults" DefaultView)"
    check "existing scheme overwritten" "Juniors, reloaded" "$(value "$schemes" "Juniors")"
    check "existing scheme's root count" 0x1 "$(value "$schemes\\Juniors\\FolderDisplay" RootFolderCount)"
    check "stale item keys kept" yes "$(key_exists "$schemes\\Juniors\\FolderDisplay\\Root 2")"
    check "other schemes kept" "Years 12 and 13: the full toolbar" "$(value "$schemes" "Sixth Form")"
    check "the list shows the loaded scheme" "1 Year 9" "$(probe rows "$title" 1021 | cut -f1,2 | tr '\t' ' ' | grep 'Year 9')"
    check "the read-only file is untouched" "$before" "$(md5sum <"$folder/held-out.esm")"
    close_program
    ;;
damaged)
    printf 'Config Hive\tConfig1\tA\\B\nConfig Hive\tA\\B\tescapes its key\nScheme Count\tThe number of schemes\t1\nScheme0\tName of scheme\tA\\B\n' |
        esm encode "$folder/hostile.esm"
    start_program
    expect_refused 'C:\e2e-files\hostile.esm'
    close_program
    ;;
config-named)
    # Schemes named like the entries' own name records, with descriptions that no entry name
    # could be: empty, long, holding backslashes.
    long="$(printf 'Year 7 maths, %.0s' {1..20})end"
    {
        printf 'Config Hive\tConfig1\tConfig1\nConfig Hive\tConfig1\t\n'
        printf 'Config Hive\tConfig2\tConfig2\nConfig Hive\tConfig2\t%s\n' "$long"
        printf 'Config Hive\tConfig3\tConfig3\nConfig Hive\tConfig3\tC:\\Shared\\Year 7\n'
        printf 'Scheme Count\tThe number of schemes\t3\n'
        scheme_records 0 Config1
        scheme_records 1 Config2
        scheme_records 2 Config3
    } | esm encode "$folder/config.esm"
    start_program
    through_dialog 1034 "Open" 'C:\e2e-files\config.esm'
    listed() { probe rows "$title" 1021 | cut -f2 | grep -qx Config3; }
    eventually listed || check "load finished" finished "not finished"
    check "no message" "" "$(probe text "File Load Problem" 65535)"
    check "empty description" "" "$(value "$schemes" Config1)"
    check "long description" "$long" "$(value "$schemes" Config2)"
    check "description with backslashes" 'C:\Shared\Year 7' "$(value "$schemes" Config3)"
    check "scheme written" 'H:\Homework' "$(value "$schemes\\Config1\\FolderDisplay\\Root 1" RootPath)"
    close_program
    ;;
flood)
    # Some tens of megabytes of empty records after a count of no schemes: each would cost an owned
    # record of the import, and together more memory than the program has.
    printf 'Scheme Count\tThe number of schemes\t0\n' | esm encode "$folder/flood.esm" 12000000
    start_program
    expect_refused 'C:\e2e-files\flood.esm'
    check "the program is still up" "yes" "$(probe rows "$title" 1021 | grep -q Juniors && echo yes)"
    close_program
    ;;
writers)
    # A file merged by hand names one scheme twice, in two spellings of one registry key: the
    # later copy loads whole, every time.
    vlsm() { wine "$VLSM_BUILD/bin/vlsm.exe" "$@" </dev/null >/dev/null 2>&1; }
    merged() { # the first copy's view, the second copy's view
        printf 'Config Hive\tConfig1\tMaths\nConfig Hive\tMaths\tfirst\n'
        printf 'Config Hive\tConfig2\tMATHS\nConfig Hive\tMATHS\tsecond\n'
        printf 'Scheme Count\tThe number of schemes\t2\n'
        scheme_records 0 Maths | sed "s/\tDefaultView\ticons/\tDefaultView\t$1/;s/\tDefaultFirstTab\t2/\tDefaultFirstTab\t1/"
        scheme_records 1 MATHS | sed "s/\tDefaultView\ticons/\tDefaultView\t$2/"
    }
    merged tree2 icons | esm encode "$folder/merged.esm"
    for run in $(seq 10); do
        vlsm import 'C:\e2e-files\merged.esm'
        check "import $run: the second copy's view" icons "$(value "$schemes\\Maths\\Defaults" DefaultView)"
        check "import $run: the second copy's first tab" 0x2 "$(value "$schemes\\Maths\\Defaults" DefaultFirstTab)"
    done
    # With the sheet open, the tool loads a changed copy: OK writes nothing and says so.
    sheet="Existing Scheme Properties"
    start_program
    maths=$(probe rows "$title" 1021 | cut -f2 | grep -ix maths)
    probe select "$title" 1021 "$maths"
    probe click "$title" 1016
    expect_window "$sheet"
    merged tree2 details | esm encode "$folder/changed.esm"
    vlsm import 'C:\e2e-files\changed.esm'
    probe click "$sheet" 1
    expect_window "Scheme Changed"
    check "changed box" "The scheme \"$maths\" was changed by another program while it was open. Nothing has been saved." \
        "$(probe text "Scheme Changed" 65535)"
    probe click "Scheme Changed" 1
    expect_gone "Scheme Changed"
    check "the imported scheme stays" details "$(value "$schemes\\Maths\\Defaults" DefaultView)"
    # Deleted by another program while the sheet is open: nothing comes back.
    probe select "$title" 1021 "$maths"
    probe click "$title" 1016
    expect_window "$sheet"
    reg delete "$schemes\\Maths" /f
    reg delete "$schemes" /v "$maths" /f
    probe click "$sheet" 1
    expect_window "Scheme Deleted"
    probe click "Scheme Deleted" 1
    expect_gone "Scheme Deleted"
    check "no key written" no "$(key_exists "$schemes\\Maths")"
    check "no description written" "<missing>" "$(value "$schemes" "$maths")"
    check "the list follows" "" "$(probe rows "$title" 1021 | cut -f2 | grep -ix maths)"
    close_program
    ;;
*)
    echo "unknown case $1" >&2
    exit 2
    ;;
esac
[[ $fails -eq 0 ]]
