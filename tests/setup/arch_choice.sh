#!/usr/bin/env bash
# Which build test.sh tests: the 32-bit one where the machine runs 32-bit code, the 64-bit one
# where it cannot (VLSM_NO_32BIT=1 stands in for such a machine) or where --arch asks for it,
# named in the first and the last line it prints.
set -uo pipefail
root=$(cd "$(dirname "$0")/../.." && pwd)
source "$root/tests/e2e/check.sh"
source "$root/tools/setup/choose-arch.sh"
choose() { vlsm_choose_arch "$@" 2>/dev/null && echo "$vlsm_arch $vlsm_build ${vlsm_args[*]}" || echo refused; }
says() { [[ "$vlsm_first_line" == *"$1"* && "$vlsm_last_line" == *"$1"* ]] && echo yes || echo no; }

unset VLSM_NO_32BIT # first the machine as it is, whatever test.sh was told
"$root/tools/setup/runs-32bit.sh" && runs32=yes || runs32=no
# The probe asks the machine itself: Wine's 32-bit server, where installed, runs exactly when it does.
if [[ -x /usr/lib/wine/wineserver32 ]]; then
    /usr/lib/wine/wineserver32 --version >/dev/null 2>&1 && server=yes || server=no
    check "32-bit code runs as Wine's 32-bit server finds" "$server" "$runs32"
fi
if [[ $runs32 == yes ]]; then
    check "a machine that runs 32-bit code tests the 32-bit build" "x86 build/win32 -R x" "$(choose -R x)"
    check "--arch x64 tests the 64-bit build there" "x64 build/win64 -R x" "$(choose --arch x64 -R x)"
    vlsm_choose_arch
    check "and says so" yes "$(says "32-bit build (x86, build/win32)")"
fi

export VLSM_NO_32BIT=1
check "a machine that cannot tests the 64-bit build" "x64 build/win64 -R x" "$(choose -R x)"
vlsm_choose_arch
check "and says so, and that the 32-bit build is built but not run" "yes yes yes" \
    "$(says "64-bit build (x64, build/win64)") $(says "cannot run 32-bit code") $(says "built but not run")"
check "--arch x86 is refused there" refused "$(choose --arch x86)"
[[ $fails -eq 0 ]]
