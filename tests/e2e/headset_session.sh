#!/usr/bin/env bash
# A whole session in the headset, as a subject runs it, with the simulated
# OpenXR runtime standing in for the headset: the real zot binary in a virtual
# X server, answers on standard input, real X key events from xdotool into the
# mirror window. Then the result files are checked the way analysis scripts
# read them, and a start without a runtime must stop cleanly.
#
#   headset_session.sh <run folder>     (needs DISPLAY; ctest wraps it in xvfb-run)
set -euo pipefail

run_dir=$(cd "$1" && pwd)
work=$(mktemp -d)
zot_pid=
cleanup() {
    [ -n "$zot_pid" ] && kill "$zot_pid" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    for f in "$work"/out*.txt "$work"/err*.txt "$work"/logs/*; do
        [ -f "$f" ] && { echo "--- $f" >&2; cat "$f" >&2; }
    done
    exit 1
}

. "$(dirname "$0")/session_checks.sh"

ln -s "$run_dir/data" "$work/data"
ln -s "$run_dir/shaders" "$work/shaders"
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
history="$logs/ZOT_vive_S01_1_history.dat"

(cd "$work" && printf 'S01 CODE\n1\n30 f r 0\n' | exec "$run_dir/zot" >out1.txt 2>err1.txt) &
zot_pid=$!
window=
for _ in $(seq 150); do
    window=$(xdotool search --name '^ZOT$' 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    kill -0 "$zot_pid" 2>/dev/null || fail "zot ended before its window opened"
    sleep 0.1
done
[ -n "$window" ] || fail "no ZOT window appeared"
# No window manager: put the pointer over the window and give it the focus.
xdotool mousemove 10 10
xdotool windowfocus "$window" 2>/dev/null || true
sleep 0.5

# The mirror shows one eye at 720 pixels high.
xdotool getwindowgeometry "$window" | grep -q "Geometry: 648x720" ||
    fail "mirror window: $(xdotool getwindowgeometry "$window")"

key() { xdotool key --delay 30 "$@"; }

# Trials finished so far: the report phase writes "blank" to the history.
reports_shown() {
    local n
    n=$(grep -cP '^-?[0-9]+\tblank$' "$history" 2>/dev/null) || true
    echo "${n:-0}"
}

# One trial: space starts it; the frames run at the runtime's pace (slower
# than 90 Hz when the machine cannot keep up), so wait until the report screen
# is up; type; wait out the 1800 ms lock-out; the next space ends it.
trial() {
    local before
    before=$(reports_shown)
    key space
    for _ in $(seq 200); do
        [ "$(reports_shown)" -gt "$before" ] && break
        kill -0 "$zot_pid" 2>/dev/null || fail "zot ended during a trial"
        sleep 0.05
    done
    [ "$(reports_shown)" -gt "$before" ] || fail "the report screen never came"
    [ $# -gt 0 ] && key "$@"
    sleep 0.6
}

trial a b BackSpace          # practice 1: "A" (B typed and removed)
trial                        # practice 2: nothing typed
key space                    # ends practice 2 -> feedback
sleep 0.3
key space                    # feedback -> "Block 1 of 1"
sleep 0.3
trial x y shift+k z          # main 1: "XYZ" (upper case is ignored)
trial d                      # main 2: "D"
key space                    # ends main 2 -> feedback
sleep 0.3
key space                    # -> end screen
sleep 0.3
key Escape
code=0
for _ in $(seq 100); do
    kill -0 "$zot_pid" 2>/dev/null || break
    sleep 0.1
done
wait "$zot_pid" || code=$?
zot_pid=
[ "$code" -eq 0 ] || fail "exit code $code, expected 0"

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

# Timing: one line per finished trial, stamped with the runtime's predicted display times.
timing="$logs/ZOT_vive_S01_1_timing.dat"
[ -f "$timing" ] || fail "missing $timing"
[ "$(tail -n +2 "$timing" | cut -f1,2 | paste -sd,)" = "$(printf -- '-1\t0,-1\t1,0\t0,0\t1')" ] ||
    fail "timing lines: $(tail -n +2 "$timing" | cut -f1,2 | paste -sd,)"
grep -q "predicted" "$timing" || fail "timing not from the runtime's predictions"

# Without a runtime nothing can be shown: the loader's error, exit code 2, and
# no result files.
mkdir "$work/none"
ln -s "$run_dir/data" "$work/none/data"
ln -s "$run_dir/shaders" "$work/none/shaders"
cp "$work/zot.cfg" "$work/none/zot.cfg"
(cd "$work/none" && printf 'S02 CODE\n1\n30 f r 0\n' |
    XR_RUNTIME_JSON="$work/missing.json" "$run_dir/zot" >out2.txt 2>err2.txt) && code=0 || code=$?
[ "$code" -eq 2 ] || fail "no runtime: exit code $code"
grep -q "^OpenXR Initialization Error: XR_ERROR_" "$work/none/err2.txt" || fail "no runtime: message"
[ ! -e "$work/none/logs" ] || fail "no runtime: a logs folder was made"

echo "headset session: OK"
