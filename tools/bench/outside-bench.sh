#!/usr/bin/env bash
# The real program timed from outside on machines of generated schemes (20 roots and 30 links
# each): start-up until the list shows every scheme, and Edit with OK and no change until the
# program is ready again; the best of five starts for each size. Works on a copy of the build's
# test prefix, seeded as the demo machine, which it removes afterwards. Not a test.
#   tools/bench/outside-bench.sh [BUILD] [SIZES="1 100"]   (BUILD: the one ./test.sh tests)
set -euo pipefail
cd "$(dirname "$0")/../.."
# The 32-bit build where this machine runs 32-bit code, else the 64-bit one; VLSM_ARCH chooses.
source tools/setup/choose-arch.sh
vlsm_choose_arch ${VLSM_ARCH:+--arch "$VLSM_ARCH"}
export VLSM_ARCH=$vlsm_arch
build=$(realpath "${1:-$vlsm_build}")
sizes=${2:-"1 100"}
[[ -f "$build/wine-test/.vlsm-ready" ]] || tools/wine/prefix.sh test "$build/wine-test"
work=$(mktemp -d /tmp/vlsm-outside-XXXXXX)
trap 'tools/wine/warm.sh stop "$work/prefix"; rm -rf "$work"' EXIT
cp -a "$build/wine-test" "$work/prefix"
tools/demo/seed-prefix.sh "$work/prefix" >/dev/null
tools/wine/warm.sh start "$work/prefix" "$build/bin/wine_keeper.exe"
source tools/wine/env.sh "$work/prefix"
printf 'schemes\tstart-up ms\tEdit+OK ms\n'
for n in $sizes; do
    wine "$build/bin/outside_bench.exe" "$(winepath -w "$build/bin/Vexar Lumen Scheme Manager.exe")" "$n" \
        </dev/null 2>&1 | tr -d '\r'
done
