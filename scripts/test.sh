#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. GL and end-to-end tests
# need an X server; without one this script provides Xvfb.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bash "$here/install-deps.sh"
bash "$here/build.sh"
cd "$here/../build"
ctest_args=(--output-on-failure -j2 "$@")
if [ -z "${DISPLAY:-}" ]; then
  exec ../tests/support/with_xvfb.sh 1920x1080 ctest "${ctest_args[@]}"
fi
exec ctest "${ctest_args[@]}"
