# Sourced: the environment of every wine call of the Windows build.
# ZOT_WINEPREFIX chooses another prefix than build-windows/wine.
WINEPREFIX="${ZOT_WINEPREFIX:-$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)/build-windows/wine}"
export WINEPREFIX
export WINEARCH=win64
# Wine's own diagnostics would mix into the programs' output the tests read.
export WINEDEBUG="${WINEDEBUG:--all}"
# No Mono or Gecko installer dialogues when the prefix is made.
export WINEDLLOVERRIDES="${WINEDLLOVERRIDES:-mscoree,mshtml=}"
