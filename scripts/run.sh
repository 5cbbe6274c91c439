#!/usr/bin/env bash
# Installs what is missing, builds, and starts a session from the ready-to-run folder.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
bash "$here/install-deps.sh"
bash "$here/build.sh"
cd "$here/../build/run"
exec ./zot "$@"
