#!/usr/bin/env bash
# The fleet page of a small school, for the README: twelve workstations' status records as the
# start-up script leaves them, summarised by the built vlsm.exe under Wine and photographed in
# headless Chromium with the first out-of-step machine's differences unfolded.
# Usage: tools/demo/fleet-page.sh [PNG]   (default docs/fleet-page.png)
set -euo pipefail
cd "$(dirname "$0")/../.."
png=$(realpath -m "${1:-docs/fleet-page.png}")
# The 32-bit build where this machine runs 32-bit code, else the 64-bit one; VLSM_ARCH chooses.
source tools/setup/choose-arch.sh
vlsm_choose_arch ${VLSM_ARCH:+--arch "$VLSM_ARCH"}
export VLSM_ARCH=$vlsm_arch
build=$vlsm_build
source tools/wine/env.sh "$build/wine-test"
work=$(realpath -m "$build/fleet-page")
rm -rf "$work" && mkdir -p "$work/status"

python3 - "$work/status" <<'PY'
import datetime, json, os, sys
now = datetime.datetime.utcnow()
school = "5e1c" + "0" * 56
machines = [("ROOM4-01", "in step", 0, 0), ("ROOM4-02", "imported", 0, 0), ("ROOM4-03", "in step", 0, 0),
            ("ROOM4-04", "out of step", 0, 3), ("ROOM4-05", "in step", 12, 0), ("ROOM4-06", "refused", 0, 0),
            ("LIB-01", "in step", 0, 0), ("LIB-02", "imported", 0, 0), ("LIB-03", "failed", 0, 0),
            ("STAFF-01", "in step", 0, 0), ("STAFF-02", "in step", 0, 0), ("HALL-01", "imported", 1, 0)]
differences = [{"scheme": "Juniors", "section": "Defaults", "item": "", "value": "DefaultView",
                "file": "details", "machine": "tree1"},
               {"scheme": "Juniors", "section": "FolderDisplay", "item": "Root 2", "value": "RootPath",
                "file": "\\\\school\\pupils\\juniors", "machine": "C:\\Users\\Public\\Documents"},
               {"scheme": "Year 12", "section": "", "item": "", "value": "", "file": "(the scheme)",
                "machine": None}]
for name, result, days, count in machines:
    record = {"format": 1, "computer": name,
              "time": (now - datetime.timedelta(days=days, minutes=len(name) * 7)).strftime("%Y-%m-%dT%H:%M:%SZ"),
              "version": "2.28.0.0",
              "file": {"path": "\\\\school\\netlogon\\vexar\\school.esm", "size": 48213,
                       "sha256": "" if result == "failed" else school},
              "result": result, "exitCode": {"failed": 3, "refused": 1, "out of step": 1}.get(result, 0),
              "differenceCount": count, "differences": differences[:count], "durationMs": 640}
    with open(os.path.join(sys.argv[1], name + ".json"), "w") as out:
        json.dump(record, out, indent=2)
PY
winwork="Z:$(echo "$work" | tr / '\\')"
wine "$build/bin/vlsm.exe" fleet "$winwork\\status" --html "$winwork\\fleet.html" </dev/null >/dev/null 2>&1 || true
# Unfold the first machine's differences for the picture, as a reader would by clicking it.
sed -i '0,/<details>/s//<details open>/' "$work/fleet.html"
chromium --headless --no-sandbox --disable-gpu --disable-quic --no-first-run \
    --disable-background-networking --disable-component-update --disable-sync \
    --user-data-dir="$work/profile" --hide-scrollbars --window-size=1200,760 \
    --screenshot="$png" "file://$work/fleet.html" >/dev/null 2>&1
echo "$png"
