#!/usr/bin/env bash
# Builds the program, prepares the demo machine (a Wine prefix seeded like a school workstation)
# and starts the program on it: on $DISPLAY when there is one, otherwise under Xvfb, where it
# saves a screenshot and prints its path. Installs what is missing first.
# Options: --reset seeds the demo machine afresh; --shot FILE names the screenshot; --scale PERCENT
# shows the demo machine at that display scale (100, 125, 150, 200; 100 when not given).
# On a machine that cannot run 32-bit code (or with VLSM_NO_32BIT=1) the demo machine is a win64
# prefix running the 64-bit build, copied into the install folder: the package holds the 32-bit one.
set -euo pipefail
cd "$(dirname "$0")"
reset=""
shot="$PWD/build/demo-screenshot.png"
scale=100
while [[ $# -gt 0 ]]; do
    case "$1" in
    --reset) reset=--reset ;;
    --shot) shot=$(realpath -m "$2"); shift ;;
    --scale) scale=$2; shift ;;
    *) echo "usage: $0 [--reset] [--shot FILE] [--scale PERCENT]" >&2; exit 2 ;;
    esac
    shift
done
if ! [[ "$scale" =~ ^[0-9]+$ ]] || ((scale < 100 || scale > 300)); then
    echo "$0: --scale takes a percentage from 100 to 300" >&2
    exit 2
fi
tools/setup/install-deps.sh

if tools/setup/runs-32bit.sh; then
    export VLSM_ARCH=x86
    build=build/win32
    cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
    targets=(--target msi)
else
    echo "This is the 64-bit build (build/win64) on a win64 demo machine: this machine cannot run 32-bit code."
    export VLSM_ARCH=x64
    build=build/win64
    cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake >/dev/null
    targets=(--target scheme_manager --target ketterel)
fi
[[ -d tools/classroom ]] && targets+=(--target rostrum_config)
cmake --build "$build" "${targets[@]}"

prefix="$build/wine-demo"
exe='C:\Program Files\Orrinford\Vexar Lumen Scheme Manager\Vexar Lumen Scheme Manager.exe'
# The virtual desktop grows with the scale, so that the windows fit on it as they would at 100 %.
export VLSM_DEMO_DPI=$((96 * scale / 100)) VLSM_DEMO_DESKTOP="$((1024 * scale / 100))x$((768 * scale / 100))"

if [[ -n "${DISPLAY:-}" ]]; then
    tools/demo/make-demo-machine.sh "$build" "$prefix" $reset
    tools/demo/set-scale.sh "$prefix" "$VLSM_DEMO_DPI" "$VLSM_DEMO_DESKTOP"
    source tools/wine/env.sh "$prefix"
    exec "$WINELOADER" "$exe"
fi

# No display: run on a virtual one, photograph the main window, then close the program.
export VLSM_DEMO_EXE="$exe" VLSM_DEMO_SHOT="$shot" VLSM_DEMO_BUILD="$build" VLSM_DEMO_PREFIX="$prefix"
export VLSM_DEMO_RESET="$reset"
xvfb-run -a -s "-screen 0 ${VLSM_DEMO_DESKTOP}x24" bash -c '
    set -euo pipefail
    tools/demo/make-demo-machine.sh "$VLSM_DEMO_BUILD" "$VLSM_DEMO_PREFIX" $VLSM_DEMO_RESET
    tools/demo/set-scale.sh "$VLSM_DEMO_PREFIX" "$VLSM_DEMO_DPI" "$VLSM_DEMO_DESKTOP"
    source tools/wine/env.sh "$VLSM_DEMO_PREFIX"
    wine "$VLSM_DEMO_EXE" </dev/null >/dev/null 2>&1 &
    sleep "${VLSM_DEMO_WAIT:-8}"
    mkdir -p "$(dirname "$VLSM_DEMO_SHOT")"
    import -window root "$VLSM_DEMO_SHOT"
    wineserver -k || true
'
echo "The program ran under Xvfb (no display here). Screenshot: $shot"
