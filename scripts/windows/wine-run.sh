#!/usr/bin/env bash
# Runs a Windows program under wine in ZOT's own wine prefix (set up by
# wine-setup.sh). The cross build uses it as its CMAKE_CROSSCOMPILING_EMULATOR:
# the data tool at build time, and every test.
set -euo pipefail
. "$(dirname "$0")/wine-env.sh"
exec "${zot_fixed_layout[@]}" wine "$@"
