#!/usr/bin/env bash
# A whole session on the monitor, as a subject runs it: the real zot binary in
# a virtual X server, answers on standard input, real X key events from
# xdotool. Then the result files are checked the way analysis scripts read
# them; a second start must append, and a start without a display must stop.
#
#   monitor_session.sh <run folder> [program file name]     (needs DISPLAY; ctest runs it in its own Xvfb)
set -euo pipefail

run_dir=$(cd "$1" && pwd)
zot_name=${2:-zot}
. "$(dirname "$0")/session_lib.sh"
e2e_setup
cat > "$work/zot.cfg" <<'CFG'
display=MONITOR
refreshRate=60
mode=WHOLE
blocksPerRun=1
trialsPerBlock=2
practiceBlock=1
randomSeed=4242
CFG

start_zot 'S01 CODE\n1\n30 f r 0\n' 1
# The refresh rate is measured while the first screen shows; its verdict is
# checked below, so leave that screen only once it has been printed.
for _ in $(seq 300); do
    grep -q '^RefreshMeter > exposures at' "$work/out1.txt" && break
    sleep 0.1
done
play_session
expect_exit 0

logs="$work/logs"
# 60 Hz: the whole-report exposures are 17, 17, 50, 83, 133 or 200 ms.
check_session_files "$logs" '17|50|83|133|200'
grep -q "ZOTExperiment > random seed = 4242" "$work/out1.txt" || fail "seed line"
# Xvfb does not pace swaps: the start-up check must say so. On a busy machine
# the frames can come slower than twice the configured rate; then the check
# sees an unsteady display at the wrong rate, and must warn about that instead.
grep -qE "^WARNING > (BUFFER SWAPS ARE NOT PACED BY THE DISPLAY|the display refreshes at [0-9.]+ Hz but refreshRate is 60 Hz)" \
    "$work/out1.txt" || fail "no warning about the unpaced display"

# The timing file names the source of its frame stamps: the display's swap
# counters where the system offers them, else the clock after the swap. Windows
# offers none; Xvfb offers none either, but a Linux machine may.
if [ "${ZOT_PLATFORM:-linux}" = windows ]; then stamps='swap'; else stamps='msc|swap'; fi
tail -n +2 "$logs/ZOT_vive_S01_1_timing.dat" | tr -d '\r' | awk -F'\t' '{ print $NF }' |
    grep -qvxE "$stamps" && fail "timing stamps not from ($stamps): $(tr -d '\r' <"$logs/ZOT_vive_S01_1_timing.dat" | cut -f14 | sort | uniq -c)"

# A second start with the same subject and session appends to the same files.
data="$logs/ZOT_vive_S01_1.dat"
start_zot 'S01 CODE\n1\n30 f r 0\n' 2
key Escape
expect_exit 0
plain_copy "$data" "$work/second.dat"
[ "$(grep -cx 2 "$work/second.dat")" -eq 2 ] || fail "second start did not append a count line"
[ "$(grep -c 'SubjectNumber: S01' "$logs/ZOT_vive_S01_1_history.dat")" -eq 2 ] || fail "second start did not append a header"
[ "$(wc -l <"$data")" -eq 4 ] || fail "second start changed the records"

# Without a display the window cannot open: a clear message and exit code 2.
(cd "$work" && DISPLAY= exec_zot </dev/null >out3.txt 2>err3.txt) && code=0 || code=$?
plain_console
[ "$code" -eq 2 ] || fail "no display: exit code $code"
grep -qx "ERROR: could not open window with GLFW" "$work/err3.txt" || fail "no display: message"

echo "monitor session: OK"
