#!/usr/bin/env bash
# Installs, on Debian 12, whatever the build, the tests and the demo need and is still missing.
# Quick when everything is there: it only asks dpkg.
# Both cross compilers always (both builds are always made), wine64 always; Wine's 32-bit side
# only where this machine runs 32-bit code (tools/setup/runs-32bit.sh).
set -euo pipefail

packages=(g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
          g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-x86-64-dev binutils-mingw-w64-x86-64
          cmake ninja-build googletest clang libclang-rt-14-dev python3 file binutils
          wine wine64 xvfb xauth x11-apps imagemagick
          fonts-wine wixl osslsigncode openssl nlohmann-json3-dev chromium)
runs32=no
if "$(dirname "$0")/runs-32bit.sh"; then
    runs32=yes
    packages+=(wine32:i386)
fi

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
echo "Installing: ${missing[*]}"
if [[ $runs32 == yes ]] && ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
