#!/usr/bin/env bash
# Cross-builds the third-party libraries ZOT links for Windows from Debian 12's
# own source packages (apt-get source), as static libraries, into PREFIX.
# The prefix is reused while this script and the toolchain file are unchanged.
# Usage: build-libraries.sh PREFIX WORKDIR
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
prefix="$1"
work="$2"
toolchain="$here/mingw-toolchain.cmake"
jobs="$(nproc)"

key="$(cat "$0" "$toolchain" | sha256sum | cut -c1-16)"
if [ -f "$prefix/.built-$key" ]; then
  echo "build-libraries: Windows libraries in $prefix are up to date"
  exit 0
fi
rm -rf "$prefix" "$work"
mkdir -p "$prefix" "$work"
cd "$work"

# deb-src of bookworm, beside the system's binary sources.
if ! apt-get indextargets --format '$(CREATED_BY)' 2>/dev/null | grep -qx 'Sources'; then
  cat > /etc/apt/sources.list.d/zot-bookworm-src.sources <<'SOURCES'
Types: deb-src
URIs: http://deb.debian.org/debian
Suites: bookworm bookworm-updates
Components: main
Signed-By: /usr/share/keyrings/debian-archive-keyring.gpg
SOURCES
  apt-get -o DPkg::Lock::Timeout=600 update
fi

packages=(glfw3 glew freetype googletest openxr-sdk-source libjsoncpp nlopt)
apt-get source --only-source "${packages[@]}" >apt-source.log 2>&1 ||
  { cat apt-source.log >&2; exit 1; }
src() { find "$work" -maxdepth 1 -mindepth 1 -type d -name "$1-*" | head -n1; }

cmake_lib() { # name source-dir [cmake options...]
  local name="$1" source="$2"; shift 2
  echo "build-libraries: $name"
  cmake -S "$source" -B "$work/build-$name" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
    -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
    -DCMAKE_PREFIX_PATH="$prefix" -DBUILD_SHARED_LIBS=OFF "$@" >"$work/$name.log" 2>&1 &&
  cmake --build "$work/build-$name" -j"$jobs" >>"$work/$name.log" 2>&1 &&
  cmake --install "$work/build-$name" >>"$work/$name.log" 2>&1 ||
  { tail -n 60 "$work/$name.log" >&2; echo "build-libraries: $name failed (log: $work/$name.log)" >&2; exit 1; }
}
export ZOT_WINDOWS_PREFIX="$prefix"

cmake_lib glfw "$(src glfw3)" -DGLFW_BUILD_EXAMPLES=OFF -DGLFW_BUILD_TESTS=OFF -DGLFW_BUILD_DOCS=OFF
cmake_lib glew "$(src glew)/build/cmake" -DBUILD_UTILS=OFF
cmake_lib freetype "$(src freetype)" -DFT_DISABLE_ZLIB=ON -DFT_DISABLE_BZIP2=ON \
  -DFT_DISABLE_PNG=ON -DFT_DISABLE_HARFBUZZ=ON -DFT_DISABLE_BROTLI=ON
cmake_lib googletest "$(src googletest)" -Dgtest_force_shared_crt=ON
# Debian's OpenXR tarball leaves out its bundled JSON reader; the loader gets
# Debian's own jsoncpp source in its place.
openxr="$(src openxr-sdk-source)"
rm -rf "$openxr/src/external/jsoncpp"
mkdir -p "$openxr/src/external"
cp -r "$(src libjsoncpp)" "$openxr/src/external/jsoncpp"
cmake_lib openxr "$openxr" -DBUILD_WITH_SYSTEM_JSONCPP=OFF -DDYNAMIC_LOADER=OFF \
  -DBUILD_TESTS=OFF -DBUILD_API_LAYERS=OFF -DBUILD_CONFORMANCE_TESTS=OFF \
  -DPYTHON_EXECUTABLE=/usr/bin/python3 -DPython3_EXECUTABLE=/usr/bin/python3

# The fit's optimiser (BOBYQA, in C), without its C++-only algorithms (with
# them the library is named nlopt_cxx while its nlopt.pc still says -lnlopt)
# and without its bindings for other languages.
cmake_lib nlopt "$(src nlopt)" -DNLOPT_CXX=OFF -DNLOPT_PYTHON=OFF -DNLOPT_OCTAVE=OFF -DNLOPT_MATLAB=OFF \
  -DNLOPT_GUILE=OFF -DNLOPT_SWIG=OFF -DNLOPT_FORTRAN=OFF -DNLOPT_TESTS=OFF

touch "$prefix/.built-$key"
echo "build-libraries: done"
