#!/usr/bin/env bash
# Builds the program and every test, and runs them all: the platform-free code natively under
# AddressSanitizer and UBSan, and the Win32 tests under Wine. Installs what is missing first.
# Both Windows builds are made: the 32-bit one (build/win32), which ships, and the 64-bit one
# (build/win64). The tests run against the 32-bit build where this machine runs 32-bit code, and
# against the 64-bit build under wine64 where it cannot (VLSM_NO_32BIT=1 pretends so).
# Usage: test.sh [--arch x86|x64] [ctest arguments]
set -euo pipefail
cd "$(dirname "$0")"
source tools/setup/choose-arch.sh
vlsm_choose_arch "$@"
echo "$vlsm_first_line"
export VLSM_ARCH=$vlsm_arch
tools/setup/install-deps.sh

# The 32-bit build first: the 64-bit build's package tests install its package. The platform-free
# tests are built and run only with the tested build.
native() { [[ $1 == "$vlsm_build" ]] && echo ON || echo OFF; }
cmake -S . -B build/win32 -G Ninja --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake \
    -DVLSM_NATIVE_TESTS="$(native build/win32)" >/dev/null
cmake --build build/win32
cmake -S . -B build/win64 -G Ninja --no-warn-unused-cli -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake \
    -DVLSM_NATIVE_TESTS="$(native build/win64)" -DVLSM_PACKAGE_BUILD="$PWD/build/win32" >/dev/null
cmake --build build/win64

build=$vlsm_build
tools/wine/prefix.sh test "$build/wine-test"
tools/wine/warm.sh start "$build/wine-test" "$build/bin/wine_keeper.exe"
trap 'tools/wine/warm.sh stop "$build/wine-test"' EXIT
# The last line before ctest's summary says again which build was tested.
ctest --test-dir "$build" -j2 --output-on-failure "${vlsm_args[@]}" |
    awk -v line="$vlsm_last_line" '/^[0-9]+% tests passed/ { print line } { print; fflush() }'
