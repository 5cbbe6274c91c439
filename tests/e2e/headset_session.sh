#!/usr/bin/env bash
# A whole session in the headset, as a subject runs it, with the simulated
# OpenXR runtime standing in for the headset: the real zot binary in a virtual
# X server, answers on standard input, real X key events from xdotool into the
# mirror window. Then the result files are checked the way analysis scripts
# read them, and a start without a runtime must stop cleanly.
#
#   headset_session.sh <run folder> [program file name]     (needs DISPLAY; ctest runs it in its own Xvfb)
set -euo pipefail

run_dir=$(cd "$1" && pwd)
zot_name=${2:-zot}
. "$(dirname "$0")/session_lib.sh"
e2e_setup
cat > "$work/zot.cfg" <<'CFG'
display=VIVE
mode=WHOLE
blocksPerRun=1
trialsPerBlock=2
practiceBlock=1
randomSeed=4242
CFG

export XR_RUNTIME_JSON="$run_dir/xrsim/zot_xrsim.json"
export ZOT_XRSIM_CAPTURE_DIR="$work/capture"
export ZOT_XRSIM_STATS=1
mkdir "$work/capture"
logs="$work/logs"

start_zot 'S01 CODE\n1\n30 f r 0\n' 1

# The mirror shows one eye at 720 pixels high. Wine draws the window's frame
# itself, inside the X window: there the picture is the frame's child window.
xdotool getwindowgeometry "$window" | grep -q "Geometry: 648x720" ||
    xwininfo -tree -id "$window" | grep -qE ' 648x720\+' ||
    fail "mirror window: $(xdotool getwindowgeometry "$window")"

play_session
expect_exit 0

grep -qx "ZOTRendererVive > framebufferDimensions: 1512 x 1680" "$work/out1.txt" || fail "framebufferDimensions line"
grep -qx "HMD: ZOT Simulated HMD 'ZOT simulated runtime' #1 (1512 x 1680 @ 90 Hz)" "$work/err1.txt" || fail "HMD line"
grep -qx "refreshRate = 90 Hz" "$work/out1.txt" || fail "refreshRate line"
grep -q "^ZOT simulated runtime > frames submitted: [1-9]" "$work/err1.txt" || fail "no frames reached the runtime"
# The runtime kept the last pictures of both eyes: header and 1512 x 1680 RGBA pixels.
for eye in left right; do
    [ "$(stat -c %s "$work/capture/$eye.limg" 2>/dev/null)" = $((8 + 1512 * 1680 * 4)) ] || fail "no $eye eye picture"
done

# The headset runs at 90 Hz: the whole-report exposures are 11, 22, 56, 78, 144 or 200 ms.
check_session_files "$logs" '11|22|56|78|144|200'

# Timing stamped with the runtime's predicted display times.
grep -q "predicted" "$logs/ZOT_vive_S01_1_timing.dat" || fail "timing not from the runtime's predictions"

# Without a runtime nothing can be shown: the loader's error, exit code 2, and
# no result files. The OpenXR loader of Windows ignores XR_RUNTIME_JSON in an
# elevated process, and under wine every process is: there the registered
# runtime (ZOT_XR_RUNTIME_REGISTERED=1) is taken away for this start and put
# back after it. Under wine the end-to-end tests run alone, so no other test
# misses it meanwhile.
openxr_key='HKLM\Software\Khronos\OpenXR\1'
registry() { ${ZOT_EMULATOR:+"$ZOT_EMULATOR"} reg "$@" | tr -d '\r'; }
registered=
if [ "${ZOT_XR_RUNTIME_REGISTERED:-0}" = 1 ]; then
    registered=$(registry query "$openxr_key" /v ActiveRuntime | sed -n 's/.*REG_SZ *//p')
    [ -n "$registered" ] || fail "no OpenXR runtime is registered"
    trap 'registry add "$openxr_key" /v ActiveRuntime /d "$registered" /f >/dev/null; e2e_cleanup' EXIT
    registry add "$openxr_key" /v ActiveRuntime /d 'C:\no_such_runtime.json' /f >/dev/null
fi
mkdir "$work/none"
ln -s "$run_dir/data" "$work/none/data"
ln -s "$run_dir/shaders" "$work/none/shaders"
cp "$work/zot.cfg" "$work/none/zot.cfg"
(cd "$work/none" && printf 'S02 CODE\n1\n30 f r 0\n' |
    XR_RUNTIME_JSON="$work/missing.json" exec_zot >out2.txt 2>err2.txt) && code=0 || code=$?
[ "$code" -eq 2 ] || fail "no runtime: exit code $code"
grep -q "^OpenXR Initialization Error: XR_ERROR_" "$work/none/err2.txt" || fail "no runtime: message"
[ ! -e "$work/none/logs" ] || fail "no runtime: a logs folder was made"
if [ -n "$registered" ]; then
    registry add "$openxr_key" /v ActiveRuntime /d "$registered" /f >/dev/null
    trap e2e_cleanup EXIT
fi

echo "headset session: OK"
