#!/usr/bin/env bash
# Installs what is missing, builds, and runs every test. GL and end-to-end tests
# need an X server; without one this script provides Xvfb.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bash "$here/install-deps.sh"
bash "$here/build.sh"
cd "$here/../build"
# Every GL test starts its own process and software GL context; on a loaded
# machine Mesa has been seen to crash once in a while while starting one. A test
# that fails gets one more run, so only a failure that repeats fails the suite.
ctest_args=(--output-on-failure -j2 --repeat until-pass:2 "$@")
# -noreset: Xvfb would otherwise reset each time its last client leaves, and a
# test that connects during the reset is turned away ("Failed to open display").
if [ -z "${DISPLAY:-}" ]; then
  exec xvfb-run -a -s "-screen 0 1920x1080x24 -noreset" ctest "${ctest_args[@]}"
fi
exec ctest "${ctest_args[@]}"
