#!/usr/bin/env bash
# vlsm fleet over a status folder of many workstations' records, timed under Wine from outside.
# Usage: tools/bench/fleet-bench.sh [RECORDS] [ROUNDS]   (defaults 5000 and 5)
# Prints one Markdown table row per run kind: the best and the median wall time of the rounds,
# and the largest resident memory of the process.
set -euo pipefail
cd "$(dirname "$0")/../.."
records=${1:-5000}
rounds=${2:-5}
# The 32-bit build where this machine runs 32-bit code, else the 64-bit one; VLSM_ARCH chooses.
source tools/setup/choose-arch.sh
vlsm_choose_arch ${VLSM_ARCH:+--arch "$VLSM_ARCH"}
export VLSM_ARCH=$vlsm_arch
build=$vlsm_build
source tools/wine/env.sh "$build/wine-test"
folder=$build/fleet-bench
rm -rf "$folder" && mkdir -p "$folder/status"

# Records as workstations write them: most in step, some out of step with twenty differences,
# a few refused, failed or old, a few damaged, and one far over the size limit.
python3 - "$folder/status" "$records" <<'PY'
import json, os, random, sys, datetime
folder, count = sys.argv[1], int(sys.argv[2])
random.seed(22)
now = datetime.datetime.utcnow()
for i in range(count):
    name = "WS-%05d" % i
    kind = random.random()
    result = "in step" if kind < 0.9 else "out of step" if kind < 0.96 else "refused" if kind < 0.98 else "failed"
    age = datetime.timedelta(days=10 if random.random() < 0.03 else 0, minutes=random.randint(0, 600))
    differences = [{"scheme": "Year %d" % (d % 13), "section": "FolderDisplay", "item": "Root %d" % d,
                    "value": "RootPath", "file": "\\\\school\\pupils\\year%d" % d,
                    "machine": "C:\\Users\\Public\\year%d" % d} for d in range(20 if result == "out of step" else 0)]
    record = {"format": 1, "computer": name, "time": (now - age).strftime("%Y-%m-%dT%H:%M:%SZ"),
              "version": "2.28.0.0",
              "file": {"path": "\\\\school\\netlogon\\vexar\\school.esm", "size": 48213,
                       "sha256": "ab" * 32},
              "result": result, "exitCode": 0 if result == "in step" else 1 if result != "failed" else 3,
              "differenceCount": len(differences) * 3, "differences": differences, "durationMs": 812}
    text = json.dumps(record, indent=2)
    if i % 997 == 5:
        text = text[: len(text) // 2]  # cut short
    with open(os.path.join(folder, name + ".json"), "w") as out:
        out.write(text)
with open(os.path.join(folder, "WS-HUGE.json"), "w") as out:
    out.write('{"computer": "WS-HUGE", "pad": "' + "x" * (8 << 20) + '"}')
PY
status="Z:$(realpath "$folder/status" | tr / '\\')"
page="Z:$(realpath "$folder" | tr / '\\')\\fleet.html"

run() { # label, vlsm arguments...
    local label=$1 count=$2
    shift 2
    local times=() memory=0
    for _ in $(seq "$rounds"); do
        local start end kb
        start=$(date +%s%N)
        /usr/bin/time -q -f %M -o "$folder/memory" wine "$build/bin/vlsm.exe" "$@" </dev/null >/dev/null 2>&1 || true
        kb=$(tail -n 1 "$folder/memory")
        end=$(date +%s%N)
        times+=($(((end - start) / 1000000)))
        ((kb > memory)) && memory=$kb
    done
    local sorted=($(printf '%s\n' "${times[@]}" | sort -n))
    printf '| %s | %s | %d ms | %d ms | %d MB |\n' "$label" "$count" "${sorted[0]}" \
        "${sorted[$((rounds / 2))]}" "$((memory / 1024))"
}
wineserver -p </dev/null >/dev/null 2>&1 || true # already running is fine
wine "$build/bin/vlsm.exe" --version </dev/null >/dev/null 2>&1 || true # the server and the loader warm
echo "| command | records | best | median | memory |"
echo "|---|---:|---:|---:|---:|"
run "fleet FOLDER" "$((records + 1))" fleet "$status"
run "fleet FOLDER --json" "$((records + 1))" fleet "$status" --json
run "fleet FOLDER --html PAGE" "$((records + 1))" fleet "$status" --html "$page"
run "--version (a process's start, for scale)" - --version
