#!/usr/bin/env bash
# Prepares ZOT's wine prefix for running the Windows build and its tests, and
# starts its wine server. Usage: wine-setup.sh [OpenXR runtime manifest]
#
# - A window manager is not needed: wine manages its own windows (Managed=N),
#   otherwise closing a window waits for one for 2 s.
# - A crashing program ends at once instead of waiting in wine's debugger.
# - The manifest, when given, is registered as the active OpenXR runtime. Wine
#   processes look elevated to the OpenXR loader, which then ignores
#   XR_RUNTIME_JSON and reads only the registry.
# - The wine server is started persistent and the prefix booted before any
#   test: started by the first test instead, wine's helper processes would
#   inherit that test's output pipe and hold CTest up. A server left from
#   before is ended first: its desktop process keeps the display it was
#   started with, and windows need the current one (none when DISPLAY is unset).
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
. "$here/wine-env.sh"
mkdir -p "$WINEPREFIX"
wineserver -k 2>/dev/null || true
wineserver -w
wineserver -p
"${zot_fixed_layout[@]}" wineboot -i >/dev/null 2>&1
reg() { zot_wine reg add "$@" /f >/dev/null; }
reg 'HKCU\Software\Wine\X11 Driver' /v Managed /d N
reg 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0
reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Debugger /d ''
reg 'HKLM\Software\Microsoft\Windows NT\CurrentVersion\AeDebug' /v Auto /d 1
if [ $# -ge 1 ]; then
  reg 'HKLM\Software\Khronos\OpenXR\1' /v ActiveRuntime /d "$(winepath -w "$1")"
fi
# Wait until the prefix has settled after the registry writes.
"${zot_fixed_layout[@]}" wineboot >/dev/null 2>&1
