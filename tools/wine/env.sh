# Sourced by the scripts: the Wine environment of one of the project's own prefixes.
# Usage: source tools/wine/env.sh PREFIX
export WINEPREFIX="$(realpath -m "$1")"
export WINEARCH=win32
export WINEDEBUG=-all
# No network here: never fetch Mono or Gecko. No menu entries on the host for the shortcuts an
# installer makes in a prefix.
export WINEDLLOVERRIDES="mscoree=;mshtml=;winemenubuilder.exe=d"
