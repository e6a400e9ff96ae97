# Sourced by test.sh: which build the tests run against. Where this machine runs 32-bit code, the
# 32-bit build, the one that ships; where it cannot, the 64-bit build under wine64. Both are
# always built, so that neither rots. `--arch x86|x64` chooses by hand.
# vlsm_choose_arch ARGS... sets vlsm_arch (x86 or x64), vlsm_build (its build folder), vlsm_other
# (the build that is built, not run), vlsm_first_line and vlsm_last_line (what test.sh says before
# and after the tests) and vlsm_args (ARGS but --arch, for ctest). It fails on a choice that this
# machine cannot run.
vlsm_choose_arch() {
    local wanted="" runs32=yes why
    vlsm_args=()
    while [[ $# -gt 0 ]]; do
        case "$1" in
        --arch) wanted=${2:-}; shift 2 || shift ;;
        --arch=*) wanted=${1#--arch=}; shift ;;
        *) vlsm_args+=("$1"); shift ;;
        esac
    done
    "$(dirname "${BASH_SOURCE[0]}")/runs-32bit.sh" || runs32=no
    case "$wanted:$runs32" in
    :yes | x86:yes) vlsm_arch=x86 ;;
    :no | x64:*) vlsm_arch=x64 ;;
    x86:no)
        echo "--arch x86: this machine cannot run 32-bit code; only --arch x64 can be tested here" >&2
        return 2
        ;;
    *)
        echo "--arch takes x86 or x64" >&2
        return 2
        ;;
    esac
    if [[ $vlsm_arch == x86 ]]; then
        vlsm_build=build/win32 vlsm_other=build/win64
        vlsm_first_line="Testing the 32-bit build (x86, $vlsm_build) under Wine; the 64-bit build ($vlsm_other) is built too, not run."
        vlsm_last_line="Tested the 32-bit build (x86, $vlsm_build); the 64-bit build ($vlsm_other) was built, not run."
        return 0
    fi
    vlsm_build=build/win64 vlsm_other=build/win32
    if [[ $runs32 == no ]]; then
        why="this machine cannot run 32-bit code, so the 32-bit build ($vlsm_other) was built but not run"
        vlsm_first_line="Testing the 64-bit build (x64, $vlsm_build) under wine64: ${why/was built/is built}."
        vlsm_last_line="Tested the 64-bit build (x64, $vlsm_build) under wine64: $why (e2e.msi installed its package without starting the program)."
    else
        vlsm_first_line="Testing the 64-bit build (x64, $vlsm_build) under wine64, as asked; the 32-bit build ($vlsm_other) is built too, not run."
        vlsm_last_line="Tested the 64-bit build (x64, $vlsm_build) under wine64, as asked; the 32-bit build ($vlsm_other) was built, not run."
    fi
}
