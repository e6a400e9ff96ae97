#!/usr/bin/env bash
# Loads stopped half way, from outside: vlsm and the real program are killed at several points of a
# load of many schemes that replace as many, and started again. Each time the Schemes key must
# export exactly as before the load, or as after the complete load; never a mix. And a completed
# load is undone, by `vlsm restore --last` and by the program's "Undo Last Load...".
# Usage: backup.sh CASE
set -uo pipefail
here=$(dirname "$0")
source "$here/lib.sh"
vlsm_exe="$VLSM_BUILD/bin/vlsm.exe"
folder="$WINEPREFIX/drive_c/e2e-backup"
rm -rf "$folder" "$WINEPREFIX/drive_c/ProgramData/Orrinford" && mkdir -p "$folder"
halted="$folder/halted"

vlsm() { wine "$vlsm_exe" "$@" </dev/null 2>&1 | tr -d '\r'; return "${PIPESTATUS[0]}"; }
export_schemes() {
    rm -f "$folder/schemes.reg"
    wine regedit /E 'C:\e2e-backup\schemes.reg' "HKEY_LOCAL_MACHINE\\Software\\Orrinford\\VexarLumen\\Schemes" </dev/null >/dev/null 2>&1
    iconv -f UTF-16 -t UTF-8 "$folder/schemes.reg" 2>/dev/null
}
# A scheme file of `count` schemes "Class 1"... in the given variant: "a" with three roots, "b"
# with one root and other values.
make_file() { # path, count, variant
    python3 - "$2" "$3" <<'PY' | python3 "$here/esm.py" encode "$1"
import sys
count, variant = int(sys.argv[1]), sys.argv[2]
roots = 3 if variant == "a" else 1
names = ["Class %d" % i for i in range(1, count + 1)]
for k, name in enumerate(names, 1):
    print("Config Hive\tConfig%d\t%s" % (k, name))
    print("Config Hive\t%s\tVariant %s of %s" % (name, variant, name))
print("Scheme Count\tThe number of schemes\t%d" % count)
for i, name in enumerate(names):
    print("Scheme%d\tName of scheme\t%s" % (i, name))
    for key, value in [("DefaultView", "icons" if variant == "a" else "details"), ("DefaultIconSize", 32),
                       ("DefaultFirstTab", 1), ("ShortToolTips", 1), ("Silent", 0), ("Context Menu", 1),
                       ("Options Menu", 0)]:
        print("%s - Defaults\t%s\t%s" % (name, key, value))
    print("%s - FolderDisplay\tRootFoldersCount\t%d" % (name, roots))
    for r in range(1, roots + 1):
        section = "%s - FolderDisplay - Root %d" % (name, r)
        for key, value in [("CollapsedIconFile", "C:\\pics\\closed.bmp"), ("ExpandedIconFile", "C:\\pics\\open.bmp"),
                           ("RootDisplayName", "Work %s%d" % (variant, r)), ("RootPath", "H:\\%s\\%d" % (variant, r)),
                           ("DenyModify", 1), ("FolderLevels", 3), ("LongToolTip", "Your work"),
                           ("ShortToolTip", "Work"), ("Wav File", "")]:
            print("%s\t%s\t%s" % (section, key, value))
    for page in (1, 2, 3):
        print("%s - Tabs\tPage%d\t1" % (name, page))
    for page in (1, 2, 3):
        for button in "Back Copy Cut Delete Forward Help Icon New Paste Print Refresh Rename Side Undo Up View".split():
            print("%s - ToolBars - Page %d\t%s\t%d" % (name, page, button, 1 if variant == "a" else page % 2))
    print("%s - Folder Display\tWeblinksCount\t0" % name)
PY
}

# The machine before: 60 schemes of variant a, some with keys of the shell's own; the file of
# variant b replaces them all (leaving their second and third roots behind) and adds ten.
make_file "$folder/a.esm" 60 a
make_file "$folder/b.esm" 70 b
vlsm import 'C:\e2e-backup\a.esm' >/dev/null
check "machine seeded" 0 $?
for n in 1 30 60; do
    reg add "$schemes\\Class $n\\Shell" /v State /t REG_BINARY /d 0100ff /f
done
vlsm_path='C:\e2e-backup\b.esm'
before=$(export_schemes)
[[ -n "$before" ]] || { check "export before" done missing; exit 1; }
vlsm import "$vlsm_path" >/dev/null
complete=$(export_schemes)
check "the load changes the schemes" yes "$([[ "$complete" != "$before" ]] && echo yes)"
vlsm restore --last >/dev/null
check "restore --last gives back the Schemes key byte for byte" "$before" "$(export_schemes)"
vlsm backups | grep -q $'load of C:\\\\e2e-backup\\\\b.esm\t60 replaced, 10 added, 0 removed'
check "backups lists the load" 0 $?

# Starts `$@` with the test's stop after N schemes, waits until it has stopped there, kills it.
run_until_halt() { # N, command...
    local n=$1
    shift
    rm -f "$halted"
    VLSM_TEST_HALT_AFTER=$n VLSM_TEST_HALT_FILE='C:\e2e-backup\halted' wine "$@" </dev/null >/dev/null 2>&1 &
    local pid=$!
    for _ in $(seq 300); do
        [[ -f "$halted" ]] && break
        sleep 0.1
    done
    check "stopped after $n schemes" yes "$([[ -f "$halted" ]] && echo yes)"
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
}
# After a kill, the next command puts the load back and says so; the key is as before or complete.
expect_whole() { # what, expected state (before/either)
    local said now
    said=$(wine "$vlsm_exe" list </dev/null 2>&1 >/dev/null | tr -d '\r')
    now=$(export_schemes)
    if [[ "$2" == before ]]; then
        check "$1: put back and said so" yes "$([[ "$said" == *"did not finish; the schemes it had changed were put back"* ]] && echo yes)"
        check "$1: the Schemes key as before the load" "$before" "$now"
    else
        check "$1: the Schemes key as before the load or complete" yes \
            "$([[ "$now" == "$before" || "$now" == "$complete" ]] && echo yes)"
        [[ "$now" == "$complete" ]] && vlsm restore --last >/dev/null
        check "$1: back to before for the next case" "$before" "$(export_schemes)"
    fi
}

case "$1" in
tool)
    for n in 0 7 33 69; do
        run_until_halt "$n" "$vlsm_exe" import "$vlsm_path"
        expect_whole "vlsm killed after $n schemes" before
    done
    # Killed again while putting back: the next start puts back from the beginning.
    run_until_halt 40 "$vlsm_exe" import "$vlsm_path"
    run_until_halt 5 "$vlsm_exe" list
    expect_whole "put back, killed, put back again" before
    # A kill at no chosen point: as soon as the load says it is writing.
    marker="$WINEPREFIX/drive_c/ProgramData/Orrinford/Vexar Lumen Scheme Manager/Backups/Writing"
    wine "$vlsm_exe" import "$vlsm_path" </dev/null >/dev/null 2>&1 &
    pid=$!
    for _ in $(seq 3000); do [[ -f "$marker" ]] && break; sleep 0.01; done
    kill -9 "$pid" 2>/dev/null
    wait "$pid" 2>/dev/null
    expect_whole "vlsm killed while writing" either
    ;;
program)
    # The program killed half way through its Load, then started again.
    through_open() {
        probe click "$title" 1034
        expect_window "Open"
        probe settext "Open" 1148 "$vlsm_path"
        probe click "Open" 1
    }
    rm -f "$halted"
    VLSM_TEST_HALT_AFTER=25 VLSM_TEST_HALT_FILE='C:\e2e-backup\halted' wine "$exe" </dev/null >/dev/null 2>&1 &
    program=$!
    probe wait "$title" 15000 || { check "main dialog shown" shown "not shown"; exit 1; }
    through_open
    eventually test -f "$halted"
    check "program stopped half way" yes "$([[ -f "$halted" ]] && echo yes)"
    kill -9 "$program" 2>/dev/null
    wait "$program" 2>/dev/null
    program=
    wine "$exe" </dev/null >/dev/null 2>&1 &
    program=$!
    expect_window "Schemes Put Back"
    check "the box names the load and what was done" yes \
        "$([[ "$(probe text "Schemes Put Back" 65535)" == "The load from disk that began at "*" did not finish."*"put back as they were before it began." ]] && echo yes)"
    probe click "Schemes Put Back" 1
    probe wait "$title" 15000 || check "main dialog shown" shown "not shown"
    check "the Schemes key as before the load" "$before" "$(export_schemes)"
    # A complete load, undone from the system menu.
    through_open
    expect_gone "Open"
    eventually test "$(probe rows "$title" 1021 | grep -c "Class 70")" = 1
    check "loaded" "$complete" "$(export_schemes)"
    probe syscommand "$title" 32528
    expect_window "Undo Last Load"
    check "the question names the file" yes "$([[ "$(probe text "Undo Last Load" 65535)" == "Undo the load of ${vlsm_path//\\/\\\\} made at "* ]] && echo yes)"
    probe click "Undo Last Load" 6
    expect_gone "Undo Last Load"
    eventually test "$(probe rows "$title" 1021 | grep -c "Class 70")" = 0
    check "Undo Last Load gives back the Schemes key byte for byte" "$before" "$(export_schemes)"
    close_program
    ;;
*)
    echo "unknown case $1" >&2
    exit 2
    ;;
esac
[[ $fails -eq 0 ]]
