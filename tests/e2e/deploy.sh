#!/usr/bin/env bash
# The deployment path end to end: three Wine prefixes as three workstations, a folder as the
# share, and the Group Policy start-up script of tools/deploy run on each, as a school would.
set -uo pipefail
source "$VLSM_SOURCE/tools/wine/env.sh" "$VLSM_BUILD/wine-deploy/base"
base=$WINEPREFIX
room=$VLSM_BUILD/wine-deploy
share=$room/share
source "$VLSM_SOURCE/tests/e2e/check.sh"
winpath() { local p=${1//\//\\}; echo "Z:$p"; }

# A seeded workstation, made once and copied for every machine of the room.
if [[ ! -f "$base/.vlsm-seeded" ]]; then
    "$VLSM_SOURCE/tools/wine/prefix.sh" test "$base" >/dev/null
    "$VLSM_SOURCE/tools/demo/seed-prefix.sh" "$base" >/dev/null
    wineserver -k >/dev/null 2>&1
    wineserver -w
    touch "$base/.vlsm-seeded"
fi
machines=(admin ws1 ws2 ws3)
for machine in "${machines[@]}"; do
    rm -rf "${room:?}/$machine"
    cp -a "$base" "$room/$machine"
    install="$room/$machine/drive_c/Program Files/Orrinford/Vexar Lumen Scheme Manager"
    mkdir -p "$install"
    cp "$VLSM_BUILD/bin/vlsm.exe" "$install/"
done
stop_all() { for machine in "${machines[@]}"; do WINEPREFIX="$room/$machine" wineserver -k >/dev/null 2>&1; done; }
trap stop_all EXIT
rm -rf "$share" && mkdir -p "$share/status"
# Each workstation its own computer name: Wine takes the host's at every start of its server, so
# the server is kept running and the name set once it is.
for machine in "${machines[@]}"; do
    WINEPREFIX="$room/$machine" wineserver -p </dev/null >/dev/null 2>&1
    WINEPREFIX="$room/$machine" wine reg add 'HKLM\System\CurrentControlSet\Control\ComputerName\ActiveComputerName' \
        /v ComputerName /d "${machine^^}" /f </dev/null >/dev/null 2>&1
done

on() { # machine, command...: runs a Windows command on that workstation
    local machine=$1
    shift
    WINEPREFIX="$room/$machine" wine "$@" </dev/null 2>/dev/null | tr -d '\r'
    return "${PIPESTATUS[0]}"
}
vlsm() { local machine=$1; shift; on "$machine" 'C:\Program Files\Orrinford\Vexar Lumen Scheme Manager\vlsm.exe' "$@"; }
startup() { # machine [scheme file] [log] [--require-checksum]: with the status folder as the third parameter
    on "$1" cmd /c "$(winpath "$VLSM_SOURCE/tools/deploy/vlsm-startup.cmd")" \
        "${2:-$(winpath "$share/school.esm")}" "${3:-C:\vlsm-startup.log}" "$(winpath "$share/status")" \
        "${@:4}" >/dev/null
}
last_log() { tail -n 1 "$room/$1/drive_c/vlsm-startup.log" | tr -d '\r'; }
juniors='HKLM\Software\Orrinford\VexarLumen\Schemes\Juniors'

# The school's file, made on the administrator's machine with a scheme changed and one added
# (whose description would be markup on a page that did not escape it).
on admin reg add "$juniors\\Defaults" /v DefaultView /d details /f >/dev/null
on admin reg add 'HKLM\Software\Orrinford\VexarLumen\Schemes' /v 'Year 12' /d 'Sixth <b>form</b> & <img src=x onerror=document.documentElement.dataset.ran=1>' /f >/dev/null
on admin reg add 'HKLM\Software\Orrinford\VexarLumen\Schemes\Year 12\Defaults' /v DefaultView /d icons /f >/dev/null
vlsm admin export "$(winpath "$share/school.esm")" >/dev/null
check "school file exported" 0 $?

for machine in ws1 ws2 ws3; do
    vlsm "$machine" verify "$(winpath "$share/school.esm")" >/dev/null
    check "$machine differs before the first start-up" 1 $?
    startup "$machine"
    check "$machine start-up script exit code" 0 $?
    check "$machine log line" "exit 0 imported: 2 differences from $(winpath "$share/school.esm")" \
        "$(last_log "$machine" | grep -o 'exit 0 .*')"
    vlsm "$machine" verify "$(winpath "$share/school.esm")" --exact >/dev/null
    check "$machine in step afterwards" 0 $?
done

# Someone changes a value by hand on one workstation: verify names it, the next start-up mends it.
on ws2 reg add "$juniors\\Defaults" /v DefaultView /d tree1 /f >/dev/null
found=$(vlsm ws2 verify "$(winpath "$share/school.esm")")
check "hand-made change found" 1 $?
check "the difference named" "scheme \"Juniors\", section \"Defaults\", value \"DefaultView\": file \"details\", machine \"tree1\"" \
    "$(echo "$found" | head -n 1)"
startup ws2
check "ws2 start-up script puts it right" 0 $?
check "ws2 value restored" 0 "$(vlsm ws2 verify "$(winpath "$share/school.esm")" >/dev/null; echo $?)"
startup ws1
check "ws1 start-up in step" "exit 0 in step with $(winpath "$share/school.esm")" "$(last_log ws1 | grep -o 'exit 0 .*')"

check "the log line begins with the date and time as yyyy-mm-dd hh:mm:ss" yes \
    "$([[ "$(last_log ws1)" =~ ^[0-9]{4}-[01][0-9]-[0-3][0-9]\ [0-2][0-9]:[0-5][0-9]:[0-5][0-9]\  ]] && echo yes)"

# Paths with "!", "&", parentheses and spaces reach vlsm and the log as they are.
odd_share="$share/room 4!&(x)"
mkdir -p "$odd_share" "$room/ws1/drive_c/logs 4!&"
cp "$share/school.esm" "$odd_share/"
startup ws1 "$(winpath "$odd_share/school.esm")" 'C:\logs 4!&\vlsm.log'
check "odd paths: exit code" 0 $?
check "odd paths: the log line" "exit 0 in step with $(winpath "$odd_share/school.esm")" \
    "$(tail -n 1 "$room/ws1/drive_c/logs 4!&/vlsm.log" | tr -d '\r' | grep -o 'exit 0 .*')"

# A vlsm.exe that is not there is exit 3 with its path; a log that cannot be written goes to the
# event log instead.
VLSM='C:\Program Files\Orrinford\nowhere\vlsm.exe' startup ws1
check "vlsm.exe missing: exit code" 3 $?
check "vlsm.exe missing: the log line" \
    'exit 3 vlsm could not be run, there is no file C:\Program Files\Orrinford\nowhere\vlsm.exe' \
    "$(last_log ws1 | grep -o 'exit 3 .*')"
cp "$VLSM_BUILD/bin/e2e_eventcreate.exe" "$room/ws1/drive_c/eventcreate.exe"
EVENTCREATE='C:\eventcreate.exe' VLSM_EVENTS='C:\events.txt' startup ws1 "" 'C:\no such folder\vlsm.log'
check "unwritable log: exit code" 0 $?
check "unwritable log: the event" "the log C:\no such folder\vlsm.log could not be written." \
    "$(tr -d '\r' <"$room/ws1/drive_c/events.txt" 2>/dev/null | grep -o 'the log .* could not be written\.')"

# One bit flipped on its way to the share: the checksum saved beside the file refuses it, and the
# reason is the log's; without a checksum the file is taken as before, unless one is required.
flip() { # file, offset: the lowest bit of that byte turned over
    local byte
    byte=$(od -An -tu1 -j "$2" -N1 "$1" | tr -d ' ')
    printf '%b' "$(printf '\\0%03o' $((byte ^ 1)))" | dd of="$1" bs=1 seek="$2" conv=notrunc status=none
}
flip "$share/school.esm" 300
vlsm ws1 verify "$(winpath "$share/school.esm")" >/dev/null
check "flipped bit refused by verify" 1 $?
startup ws1
check "flipped bit refused by the script" 1 $?
check "ws1 log gives the reason" "exit 1 import failed: vlsm: the file has changed since it was saved" \
    "$(last_log ws1 | grep -o 'exit 1 import failed: vlsm: the file has changed since it was saved')"
flip "$share/school.esm" 300
check "ws1 as it was" 0 "$(vlsm ws1 verify "$(winpath "$share/school.esm")" >/dev/null; echo $?)"
mv "$share/school.esm.sha256" "$share/school.sha256.kept"
startup ws1 "" "" --require-checksum
check "missing checksum refused when required" 1 $?
check "ws1 log names the missing checksum" "and one is required" "$(last_log ws1 | grep -o 'and one is required')"
startup ws1
check "without a checksum the file is taken" 0 $?
mv "$share/school.sha256.kept" "$share/school.esm.sha256"

# A damaged file on the share changes nothing and leaves its exit code.
cp "$share/school.esm" "$share/school.good"
printf 'damaged' >"$share/school.esm"
startup ws3
check "damaged file refused by the script" 1 $?
check "ws3 log names the refusal" "exit 1 import failed:" "$(last_log ws3 | grep -o 'exit 1 import failed:')"

# The fleet at a glance: ws3 was refused the damaged file; ws2 is changed by hand and only
# verified; ws1's record is made ten days old.
cp "$share/school.good" "$share/school.esm"
on ws2 reg add "$juniors\\Defaults" /v DefaultView /d icons /f >/dev/null
vlsm ws2 verify "$(winpath "$share/school.esm")" --report "$(winpath "$share/status")" >/dev/null
check "ws2 verify with --report" 1 $?
sed -i 's/"time": "[^"]*"/"time": "'"$(date -u -d '10 days ago' +%Y-%m-%dT%H:%M:%SZ)"'"/' "$share/status/WS1.json"
fleet() { vlsm admin fleet "$(winpath "$share/status")" --file "$(winpath "$share/school.esm")" "$@"; }
seen=$(fleet)
check "fleet exits 1 while a machine is not in step" 1 $?
states=$(fleet --json | python3 -c 'import json, sys
print("|".join(m["computer"] + " " + m["state"] + " " + str(m["file"]) for m in json.load(sys.stdin)["machines"]))')
check "fleet names each machine, problems first" "WS3 refused differs|WS2 out of step matches|WS1 not seen matches" "$states"
check "fleet marks the aged record stale" "yes" "$(echo "$seen" | grep -q '^WS1 .* in step .* stale$' && echo yes)"
check "fleet summary" "0 in step, 1 out of step, 1 refused, 1 not seen for 7 days" "$(echo "$seen" | tail -n 1)"
check "ws2's difference in its record" '"value": "DefaultView",' "$(grep -o '"value": "DefaultView",' "$share/status/WS2.json")"

# The page of that fleet, with a crafted record beside the three, and the page of the school's file.
cp -r "$share/status" "$share/crafted"
cat >"$share/crafted/EVIL.json" <<'RECORD'
{"computer": "EVIL", "time": "2030-01-01T00:00:00Z", "result": "out of step", "differenceCount": 1,
 "differences": [{"scheme": "<script>document.documentElement.setAttribute('data-ran', 1)</script>",
  "section": "Defaults", "value": "DefaultView", "file": "details",
  "machine": "<img src=x onerror=\"document.documentElement.setAttribute('data-ran', 2)\">"}]}
RECORD
vlsm admin fleet "$(winpath "$share/crafted")" --file "$(winpath "$share/school.esm")" --html "$(winpath "$share/fleet.html")" >/dev/null
check "fleet --html exit code" 1 $?
page=$(python3 "$VLSM_SOURCE/tests/e2e/browser.py" "$share/fleet.html" "$VLSM_SOURCE/tests/e2e/fleet-page.js")
expect_page() { check "$1" "$2" "$(echo "$page" | grep "^$3: " | cut -d' ' -f2-)"; }
expect_page "page summary" "0 in step, 2 out of step, 1 refused, 1 not seen for 7 days" summary
expect_page "page rows, problems first" "WS3 EVIL WS2 WS1" rows
expect_page "page sorted by computer" "EVIL WS1 WS2 WS3" byComputer
expect_page "page sorted by computer, descending" "WS3 WS2 WS1 EVIL" byComputerDown
expect_page "page filtered to out of step" "WS2 EVIL" outOfStep
expect_page "page filtered to refused" "WS3" refused
expect_page "a record's markup shown as text" "true" markupAsText
expect_page "no element made from a record" "0" elementsFromRecords
expect_page "nothing from a record ran" "nothing" ran
vlsm admin show "$(winpath "$share/school.esm")" --html "$(winpath "$share/school.html")" >/dev/null
check "show --html exit code" 0 $?
page=$(python3 "$VLSM_SOURCE/tests/e2e/browser.py" "$share/school.html" "$VLSM_SOURCE/tests/e2e/show-page.js")
schemes=$(vlsm admin list | cut -f1 | paste -sd'|')
expect_page "show page summary" "$(vlsm admin list | wc -l) schemes" summary
expect_page "show page lists the file's schemes" "$schemes" schemes
expect_page "show page sorted by name, descending, numbers as numbers" \
    "Year 12|Year 7|Staff|Sixth Form|Juniors|Infants|Exam Room|Default User" byNameDown
expect_page "a scheme's sections folded under it" "folded" folded
expect_page "a scheme's sections" "defaults, tabs, toolbar switches, roots, links" tables
check "a description's markup shown as text" "yes" \
    "$(echo "$page" | grep -q -F 'Sixth <b>form</b> & <img src=x onerror=' && echo yes)"
expect_page "no element made from the file" "0" elementsFromFile
expect_page "nothing from the file ran" "nothing" ran

# Every machine brought into step by its next start-up: the fleet is all in step.
for machine in ws1 ws2 ws3; do startup "$machine"; done
seen=$(fleet)
check "fleet exits 0 once every machine is in step" 0 $?
check "fleet summary, all in step" "3 in step, 0 out of step, 0 refused, 0 not seen for 7 days" "$(echo "$seen" | tail -n 1)"

# A scheme the school has retired, still on one workstation: the start-up script passes --exact
# on, and the scheme goes.
on ws3 reg add 'HKLM\Software\Orrinford\VexarLumen\Schemes' /v Retired /d Old /f >/dev/null
on ws3 reg add 'HKLM\Software\Orrinford\VexarLumen\Schemes\Retired\Defaults' /v DefaultView /d icons /f >/dev/null
startup ws3 "" "" --exact
check "ws3 start-up with --exact" 0 $?
check "the retired scheme removed" "" "$(vlsm ws3 list | cut -f1 | grep -x Retired)"
check "ws3 in step, exactly" 0 "$(vlsm ws3 verify "$(winpath "$share/school.esm")" --exact >/dev/null; echo $?)"

# A status folder that cannot be written is said in the log line and changes no exit code.
on ws1 cmd /c "$(winpath "$VLSM_SOURCE/tools/deploy/vlsm-startup.cmd")" "$(winpath "$share/school.esm")" 'C:\vlsm-startup.log' "$(winpath "$share/absent")" >/dev/null
check "start-up exit code with an unwritable status folder" 0 $?
check "the log line says the record was not written" \
    "exit 0 in step with $(winpath "$share/school.esm"); status record not written to $(winpath "$share/absent")" \
    "$(last_log ws1 | grep -o 'exit 0 .*')"

help=$(vlsm ws1 --help)
check "--help exits 0" 0 $?
check "the README documents the commands and exit codes as --help does" yes \
    "$([[ "$(cat "$VLSM_SOURCE/README.md")" == *"$help"* ]] && echo yes)"

echo "the log of ws2:"
tr -d '\r' <"$room/ws2/drive_c/vlsm-startup.log"
stop_all
rm -rf "${room:?}/admin" "$room/ws1" "$room/ws2" "$room/ws3"
[[ $fails -eq 0 ]]
