#!/usr/bin/env bash
# Installs the Debian packages ZOT needs to build, run and test. Run as root.
# With --list it only prints their names.
set -euo pipefail
packages=(
  build-essential cmake pkg-config
  libgtest-dev libgmock-dev
  libglfw3-dev libxrandr-dev libglew-dev libgl1-mesa-dri libglx-mesa0
  libfreetype-dev fonts-liberation fonts-dejavu-core
  libopenxr-dev libopenxr-loader1
  xvfb xauth xdotool x11-utils
  chromium
  libnlopt-cxx-dev
  clang libclang-rt-14-dev
)
if [ "${1:-}" = "--list" ]; then
  printf '%s\n' "${packages[@]}"
  exit 0
fi
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi
if [ "$(id -u)" -ne 0 ]; then
  echo "install-deps: missing packages: ${missing[*]}; run this script as root" >&2
  exit 1
fi
export DEBIAN_FRONTEND=noninteractive
apt-get update
apt-get install -y --no-install-recommends "${missing[@]}"
