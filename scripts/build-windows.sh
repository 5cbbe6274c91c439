#!/usr/bin/env bash
# Cross-builds ZOT for 64-bit Windows on Debian 12 (as root): installs what it
# needs, cross-builds the third-party libraries from Debian's source packages,
# builds the program, its tools and its tests, and leaves the ready-to-run
# folder in build-windows/run/ and the same folder zipped as
# build-windows/zot-windows.zip. The data tool runs under wine during the build.
set -euo pipefail
root="$(cd "$(dirname "$0")/.." && pwd)"
out="$root/build-windows"
jobs="$(nproc)"

packages=(
  g++-mingw-w64-x86-64-posix cmake make pkg-config dpkg-dev python3 python3-jinja2
  wine wine64 xvfb xauth xdotool zip
  fonts-liberation fonts-dejavu-core
)
missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
  export DEBIAN_FRONTEND=noninteractive
  apt-get -o DPkg::Lock::Timeout=600 update
  apt-get -o DPkg::Lock::Timeout=600 install -y --no-install-recommends "${missing[@]}"
fi

export ZOT_WINDOWS_PREFIX="$out/prefix"
# pkg-config must find the Windows libraries, never the build machine's.
export PKG_CONFIG_LIBDIR="$ZOT_WINDOWS_PREFIX/lib/pkgconfig"
bash "$root/scripts/windows/build-libraries.sh" "$ZOT_WINDOWS_PREFIX" "$out/libraries"

# The build runs the data tool under wine, so the prefix must be ready first.
bash "$root/scripts/windows/wine-setup.sh" "$out/run/xrsim/zot_xrsim.json"

# The build folder is build-windows itself, so its run/ is the ready-to-run folder.
cmake -S "$root" -B "$out" \
  -DCMAKE_TOOLCHAIN_FILE="$root/scripts/windows/mingw-toolchain.cmake" \
  -DCMAKE_CROSSCOMPILING_EMULATOR="$root/scripts/windows/wine-run.sh" \
  -DCMAKE_BUILD_TYPE=Release
cmake --build "$out" -j"$jobs"

# zot.exe, the analysis commands and the simulated runtime must start on a PC
# with nothing but Windows: no DLL of the compiler or of a library beside it.
system_dlls='^(kernel32|user32|gdi32|opengl32|advapi32|shell32|ole32|msvcrt|ws2_32|winmm|imm32|shlwapi|version|setupapi|cfgmgr32|dwmapi|comdlg32|oleaut32|pathcch|api-ms-win-.*)\.dll$'
for binary in "$out"/run/*.exe "$out/run/xrsim/zot_xrsim.dll"; do
  foreign="$(x86_64-w64-mingw32-objdump -p "$binary" | sed -n 's/^\s*DLL Name: //p' | tr 'A-Z' 'a-z' | grep -Ev "$system_dlls" || true)"
  if [ -n "$foreign" ]; then
    echo "build-windows: $(basename "$binary") needs DLLs that Windows does not have: $foreign" >&2
    exit 1
  fi
done

for program in zot zotfit zotsim; do
  [ -f "$out/run/$program.exe" ] || { echo "build-windows: $program.exe was not built" >&2; exit 1; }
done

rm -f "$out/zot-windows.zip"
( cd "$out" && zip -qr zot-windows.zip run -x 'run/logs/*' )
echo "build-windows: ready-to-run folder $out/run, zipped as $out/zot-windows.zip"
