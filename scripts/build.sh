#!/usr/bin/env bash
# Configures and builds ZOT into build/ (the ready-to-run folder is build/run).
set -euo pipefail
cd "$(dirname "$0")/.."
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)"
