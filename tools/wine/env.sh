# Sourced by the scripts: the Wine environment of one of the project's own prefixes.
# Usage: source tools/wine/env.sh PREFIX
# VLSM_ARCH chooses the kind: x86 (the default) a win32 prefix under Wine's 32-bit loader, x64 a
# win64 prefix under wine64. Debian's own `wine` takes the 32-bit loader whenever it is installed,
# even on a machine that cannot run it, so `wine` here is tools/wine/bin/wine: the loader named.
export WINEPREFIX="$(realpath -m "$1")"
case "${VLSM_ARCH:-x86}" in
x64) export WINEARCH=win64 WINELOADER=/usr/lib/wine/wine64 ;;
*) export WINEARCH=win32 WINELOADER=/usr/lib/wine/wine ;;
esac
export WINEDEBUG=-all
# No network here: never fetch Mono or Gecko. No menu entries on the host for the shortcuts an
# installer makes in a prefix.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
vlsm_wine_bin="$(cd "$(dirname "${BASH_SOURCE[0]}")/bin" && pwd)"
[[ ":$PATH:" == *":$vlsm_wine_bin:"* ]] || export PATH="$vlsm_wine_bin:$PATH"
