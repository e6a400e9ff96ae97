#!/usr/bin/env bash
# Installs, on Debian 12, whatever the build, the tests and the demo need and is still missing.
# Quick when everything is there: it only asks dpkg.
set -euo pipefail

packages=(g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix mingw-w64-i686-dev binutils-mingw-w64-i686
          cmake ninja-build googletest clang libclang-rt-14-dev python3 file binutils
          wine wine32:i386 xvfb xauth x11-apps imagemagick
          fonts-wine wixl osslsigncode openssl nlohmann-json3-dev chromium)

missing=()
for package in "${packages[@]}"; do
    status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
    [[ "$status" == "install ok installed" ]] || missing+=("$package")
done
[[ ${#missing[@]} -eq 0 ]] && exit 0

sudo=""
[[ $(id -u) -eq 0 ]] || sudo="sudo"
echo "Installing: ${missing[*]}"
if ! dpkg --print-foreign-architectures | grep -qx i386; then
    $sudo dpkg --add-architecture i386
fi
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
