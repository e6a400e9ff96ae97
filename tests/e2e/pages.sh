#!/usr/bin/env bash
# The My Files and Links pages of the real program: roots and web links added, edited, moved and
# removed through the sheet and its dialogs, then read back from the registry with Wine's reg; and
# an editor opened and confirmed without typing, which must change nothing.
# Usage: pages.sh CASE   (VLSM_BUILD and VLSM_SOURCE name the build and source folders)
set -uo pipefail
source "$(dirname "$0")/lib.sh"

sheet="Existing Scheme Properties"
juniors="$schemes\\Juniors"
pictures_key='C:\Program Files\Orrinford\Vexar Lumen 2\Pictures'

# The data of the named values of one key, in that order, joined by "|" (one reg query).
values() { # key, value names
    local out line name found data=()
    out=$(wine reg query "$1" </dev/null 2>/dev/null | tr -d '\r')
    for name in "${@:2}"; do
        found="<missing>"
        while IFS= read -r line; do
            [[ "$line" == "    $name    REG_"* ]] && { found="${line#*    REG_*    }"; break; }
        done <<<"$out"
        data+=("$found")
    done
    (IFS='|' && echo "${data[*]}")
}
root() { values "$juniors\\FolderDisplay\\Root $1" RootDisplayName RootPath FolderLevels CollapsedIconFile \
    ExpandedIconFile LongToolTip ShortToolTip "Wav File" DenyModify; }
link() { values "$juniors\\WebLinks\\WebLink $1" DisplayName URL IconFile LongToolTip ShortToolTip "Wav File"; }
# One column of a page's list (2 the names, 3 the paths or URLs), joined by "|".
listed() { probe rows "$sheet" "$1" | cut -f"$2" | tr '\n' '|'; }
image_of() { probe rows "$sheet" "$1" | awk -F'\t' -v name="$2" '$2 == name { print $1 }'; }
# Waits for a list to show what a step should leave, then checks it. A step ends in a posted click,
# and a probe's sent request overtakes a posted click: only the list's new contents tell that the
# step is over, so the next step's selection lands on the right row.
expect_listed() { # list id, column, expected, description
    local shown deadline=$((SECONDS + 10))
    while shown=$(listed "$1" "$2") && [[ "$shown" != "$3" && $SECONDS -lt $deadline ]]; do sleep 0.1; done
    check "$4" "$3" "$shown"
}
# Selects a row of the shown page's list and presses one of the page's buttons.
on_row() { # list id, row name, button id
    probe select "$sheet" "$1" "$2" || check "row \"$2\" listed" listed missing
    probe click "$sheet" "$3"
}
# Answers the question a Remove asks; Cancel (2) keeps the row, OK (1) removes it.
answer_removal() { # box title, expected text, button
    expect_window "$1"
    check "\"$1\" text" "$2" "$(probe text "$1" 65535)"
    probe click "$1" "$3"
    expect_gone "$1"
}
# Picks in the Icon Picker the picture that the shown list uses for image $1.
pick_picture() { # image index
    expect_window "Icon Picker"
    probe selectrow "Icon Picker" 1054 "$1" || check "picture $1 offered" offered missing
    probe click "Icon Picker" 1
    expect_gone "Icon Picker"
}
open_juniors() { # page index: 1 Links, 2 My Files
    start_program
    probe select "$title" 1021 Juniors
    probe click "$title" 1016
    expect_window "$sheet"
    probe page "$sheet" "$1" || check "page $1 shown" shown "not shown"
}
ok_sheet() {
    probe click "$sheet" 1
    expect_gone "$sheet"
    close_program
}
# The Schemes key as regedit exports it.
export_schemes() {
    rm -f "$WINEPREFIX/drive_c/e2e-schemes.reg"
    wine regedit /E 'C:\e2e-schemes.reg' 'HKEY_LOCAL_MACHINE\Software\Orrinford\VexarLumen\Schemes' </dev/null >/dev/null 2>&1
    iconv -f UTF-16 -t UTF-8 "$WINEPREFIX/drive_c/e2e-schemes.reg" 2>/dev/null
}
root_question="Are you sure you want to delete this root ?"
link_question="Are you sure you want to delete this Web Link ?"

case "$1" in
roots)
    open_juniors 2
    # Add: typed name and path, both standard pictures, no level limit.
    probe click "$sheet" 1014
    expect_window "Root Properties"
    probe settext "Root Properties" 1036 Drama
    probe settext "Root Properties" 1037 'S:\Juniors\Drama'
    probe click "Root Properties" 1
    expect_gone "Root Properties"
    expect_listed 1099 2 "My Work|Homework|Shared Work|Maths|Science|Drama|" "root added last"
    # Edit Maths: a new name, three levels by the spin's arrow key from 1, and Homework's picture
    # as the custom picture shown when selected. The dialog's own steps are posted, so in order.
    homework=$(image_of 1099 Homework)
    on_row 1099 Maths 1016
    expect_window "Root Properties"
    probe settext "Root Properties" 1036 Numeracy
    probe click "Root Properties" 1051
    for _ in 1 2; do probe key "Root Properties" 1040 38; done # VK_UP
    probe click "Root Properties" 1042
    probe click "Root Properties" 1045
    pick_picture "$homework"
    check "levels shown" 3 "$(probe text "Root Properties" 1040)"
    probe click "Root Properties" 1
    expect_gone "Root Properties"
    expect_listed 1099 2 "My Work|Homework|Shared Work|Numeracy|Science|Drama|" "root renamed in its place"
    # Up and down, then two removals, the first question answered with Cancel.
    on_row 1099 Science 1032
    expect_listed 1099 2 "My Work|Homework|Shared Work|Science|Numeracy|Drama|" "root moved up"
    on_row 1099 "My Work" 1033
    expect_listed 1099 2 "Homework|My Work|Shared Work|Science|Numeracy|Drama|" "root moved down"
    on_row 1099 "Shared Work" 1015
    answer_removal "Root Deletion" "$root_question" 2
    check "Cancel keeps the root" "Homework|My Work|Shared Work|Science|Numeracy|Drama|" "$(listed 1099 2)"
    probe click "$sheet" 1015
    answer_removal "Root Deletion" "$root_question" 1
    expect_listed 1099 2 "Homework|My Work|Science|Numeracy|Drama|" "root removed"
    on_row 1099 Homework 1015
    answer_removal "Root Deletion" "$root_question" 1
    expect_listed 1099 2 "My Work|Science|Numeracy|Drama|" "second root removed"
    ok_sheet

    check "root count lowered" 0x4 "$(value "$juniors\\FolderDisplay" RootFolderCount)"
    check "Root 1: My Work moved, unchanged" \
        "My Work|H:\\|0x2|$pictures_key\\My Work.bmp|$pictures_key\\Open Folder.bmp|Open My Work|My Work||0x0" "$(root 1)"
    check "Root 2: Science moved, unchanged" \
        "Science|S:\\Juniors\\Science|0xffffffff|$pictures_key\\Science.bmp|$pictures_key\\Open Folder.bmp|Open Science|Science||0x1" \
        "$(root 2)"
    check "Root 3: Maths edited" \
        "Numeracy|S:\\Juniors\\Maths|0x3|$pictures_key\\Maths.bmp|$pictures_key\\Homework.bmp|Numeracy|Numeracy||0x0" \
        "$(root 3)"
    check "Root 4: added" \
        "Drama|S:\\Juniors\\Drama|0xffffffff|$pictures_key\\Closed Folder.bmp|$pictures_key\\Open Folder.bmp|Drama|Drama||0x0" \
        "$(root 4)"
    check "Root 5 above the count left as it was" \
        "Science|S:\\Juniors\\Science|0xffffffff|$pictures_key\\Science.bmp|$pictures_key\\Open Folder.bmp|Open Science|Science||0x1" \
        "$(root 5)"
    ;;
links)
    # A sound the dialog does not show, which an edit must keep.
    reg add "$juniors\\WebLinks\\WebLink 2" /v "Wav File" /d 'C:\Sounds\search.wav' /f
    open_juniors 1
    english=$(image_of 1021 "Online Dictionary")
    # Add: all four fields typed and English's picture chosen.
    probe click "$sheet" 1014
    expect_window "Web Links"
    probe settext "Web Links" 1036 Library
    probe settext "Web Links" 1088 "http://library.hollinbrook.sch.uk/"
    probe settext "Web Links" 1025 "Find a book"
    probe settext "Web Links" 1026 Books
    probe click "Web Links" 1091
    pick_picture "$english"
    probe click "Web Links" 1
    expect_gone "Web Links"
    expect_listed 1021 2 "School Website|Safe Search|Online Dictionary|Library|" "link added last"
    # Edit Safe Search: URL and short tooltip; its picture and sound stay.
    on_row 1021 "Safe Search" 1016
    expect_window "Web Links"
    probe settext "Web Links" 1088 "http://search.hollinbrook.sch.uk/kids"
    probe settext "Web Links" 1026 "Kids Search"
    probe click "Web Links" 1
    expect_gone "Web Links"
    expect_listed 1021 3 "http://www.hollinbrook.sch.uk/|http://search.hollinbrook.sch.uk/kids|http://dictionary.hollinbrook.sch.uk/|http://library.hollinbrook.sch.uk/|" \
        "edited URL listed"
    # Up; then down on the last row, followed by Remove: its question comes only once the down has
    # been handled, so the list read after Cancel shows what the down did.
    on_row 1021 Library 1032
    expect_listed 1021 2 "School Website|Safe Search|Library|Online Dictionary|" "link moved up"
    on_row 1021 "Online Dictionary" 1033
    probe click "$sheet" 1015
    answer_removal "Web Link Deletion" "$link_question" 2
    check "down on the last link moves nothing" "School Website|Safe Search|Library|Online Dictionary|" \
        "$(listed 1021 2)"
    on_row 1021 "School Website" 1015
    answer_removal "Web Link Deletion" "$link_question" 1
    expect_listed 1021 2 "Safe Search|Library|Online Dictionary|" "link removed"
    on_row 1021 "Online Dictionary" 1015
    answer_removal "Web Link Deletion" "$link_question" 1
    expect_listed 1021 2 "Safe Search|Library|" "second link removed"
    ok_sheet

    check "link count lowered" 0x2 "$(value "$juniors\\WebLinks" WebLinksCount)"
    check "WebLink 1: Safe Search edited, sound kept" \
        "Safe Search|http://search.hollinbrook.sch.uk/kids|$pictures_key\\Search.bmp|Search the web safely|Kids Search|C:\\Sounds\\search.wav" \
        "$(link 1)"
    check "WebLink 2: added, without a sound" \
        "Library|http://library.hollinbrook.sch.uk/|$pictures_key\\English.bmp|Find a book|Books|" "$(link 2)"
    check "WebLink 3 above the count left as it was" \
        "Online Dictionary|http://dictionary.hollinbrook.sch.uk/|$pictures_key\\English.bmp|Look up a word|Dictionary|" \
        "$(link 3)"
    ;;
untouched)
    # Stored text that typing could not enter: colons in the scheme's and a root's name, a
    # description of 60 characters, a space and backslashes in a link's address. Opening the
    # editor, its root and its link and pressing OK everywhere must leave every byte as it was.
    maths="$schemes\\Year 7: Maths"
    reg copy "$schemes\\Year 7" "$maths" /s /f
    reg add "$schemes" /v "Year 7: Maths" /d "Number, algebra, shape and data: the first year of secondary" /f
    reg add "$maths" /v "Scheme Name" /d "Year 7: Maths" /f
    for tip in RootDisplayName LongToolTip ShortToolTip; do
        reg add "$maths\\FolderDisplay\\Root 1" /v "$tip" /d "My Work: Year 7" /f
    done
    reg add "$maths\\WebLinks\\WebLink 1" /v URL /d 'file://\\server\maths games\index.htm' /f
    before=$(export_schemes)
    check "scheme seeded" "Year 7: Maths" "$(value "$maths" "Scheme Name")"
    start_program
    probe select "$title" 1021 "Year 7: Maths"
    probe click "$title" 1016
    expect_window "$sheet"
    check "name shown as stored" "Year 7: Maths" "$(probe text "$sheet" 1036)"
    probe page "$sheet" 2 || check "My Files shown" shown "not shown"
    on_row 1099 "My Work: Year 7" 1016
    expect_window "Root Properties"
    probe click "Root Properties" 1
    expect_gone "Root Properties"
    probe page "$sheet" 1 || check "Links shown" shown "not shown"
    on_row 1021 "School Website" 1016
    expect_window "Web Links"
    probe click "Web Links" 1
    expect_gone "Web Links"
    ok_sheet
    check "Schemes key byte for byte as before" "$before" "$(export_schemes)"
    ;;
*)
    echo "unknown case $1" >&2
    exit 2
    ;;
esac
[[ $fails -eq 0 ]]
