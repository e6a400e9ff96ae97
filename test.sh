#!/usr/bin/env bash
# Builds the program and every test, and runs them all: the platform-free code natively under
# AddressSanitizer and UBSan, and the Win32 tests under Wine. Installs what is missing first.
set -euo pipefail
cd "$(dirname "$0")"
tools/setup/install-deps.sh

build=build/win32
cmake -S . -B "$build" -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake >/dev/null
cmake --build "$build"

tools/wine/prefix.sh test "$build/wine-test"
tools/wine/warm.sh start "$build/wine-test" "$build/bin/wine_keeper.exe"
trap 'tools/wine/warm.sh stop "$build/wine-test"' EXIT
ctest --test-dir "$build" -j2 --output-on-failure "$@"
