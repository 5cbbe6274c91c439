#!/usr/bin/env bash
# Builds the Windows version (scripts/build-windows.sh) and runs its whole test
# suite under wine: unit, GL, pixel and end-to-end tests, in a virtual X server
# (Xvfb) when no display is set. Arguments go to ctest.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build-windows"
if [ "${1:-}" != --in-display ]; then
  bash "$root/scripts/build-windows.sh"
  if [ -z "${DISPLAY:-}" ]; then
    exec xvfb-run -a -s "-screen 0 1920x1080x24" bash "$0" --in-display "$@"
  fi
else
  shift
fi
# Wine is started on the display the tests use, with the simulated headset as
# the active OpenXR runtime; it ends with the tests, also when they fail.
bash "$root/scripts/windows/wine-setup.sh" "$out/run/xrsim/zot_xrsim.json"
. "$root/scripts/windows/wine-env.sh"
trap 'wineserver -k 2>/dev/null || true' EXIT
cd "$out"
ctest --output-on-failure -j2 "$@"
