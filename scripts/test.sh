#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. GL and end-to-end tests
# need an X server; without one this script provides Xvfb.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bash "$here/install-deps.sh"
bash "$here/build.sh"
cd "$here/../build"
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1920x1080x24" ctest --output-on-failure -j2 "$@"
fi
exec ctest --output-on-failure -j2 "$@"
