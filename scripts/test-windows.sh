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
    exec "$root/tests/support/with_xvfb.sh" 1920x1080 bash "$0" --in-display "$@"
  fi
else
  shift
fi
# The pictures the data tool drew under wine are the very files it draws on
# Linux: draw them natively too and compare.
bash "$root/scripts/install-deps.sh"
cmake -S "$root" -B "$root/build" -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$root/build" -j"$(nproc)" --target zotdata >/dev/null
native="$(mktemp -d)"
trap 'rm -rf "$native"' EXIT
"$root/build/tools/zotdata" "$native" >/dev/null
if ! diff -r "$native/data" "$out/run/data"; then
  echo "test-windows: the data drawn under wine differ from the data drawn on Linux" >&2
  exit 1
fi
echo "test-windows: data/ drawn under wine is byte-identical to data/ drawn on Linux"

# Wine is started on the display the tests use, with the simulated headset as
# the active OpenXR runtime; it ends with the tests, also when they fail.
bash "$root/scripts/windows/wine-setup.sh" "$out/run/xrsim/zot_xrsim.json"
. "$root/scripts/windows/wine-env.sh"
trap 'wineserver -k 2>/dev/null || true; rm -rf "$native"' EXIT

cd "$out"
ctest --output-on-failure -j2 "$@"
