# Sourced by the scripts: the Wine environment of one of the project's own prefixes.
# Usage: source tools/wine/env.sh PREFIX
export WINEPREFIX="$(realpath -m "$1")"
export WINEARCH=win32
export WINEDEBUG=-all
# No network here: never fetch Mono or Gecko.
export WINEDLLOVERRIDES="mscoree=;mshtml="
