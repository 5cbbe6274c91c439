#!/usr/bin/env bash
# A whole session on the monitor, as a subject runs it: the real zot binary in
# a virtual X server, answers on standard input, real X key events from
# xdotool. Then the result files are checked the way analysis scripts read them.
#
#   monitor_session.sh <run folder>     (needs DISPLAY; ctest wraps it in xvfb-run)
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

ln -s "$run_dir/data" "$work/data"
ln -s "$run_dir/shaders" "$work/shaders"
cat > "$work/zot.cfg" <<'CFG'
display=MONITOR
refreshRate=60
mode=WHOLE
blocksPerRun=1
trialsPerBlock=2
practiceBlock=1
randomSeed=4242
CFG

# Starts zot in the work folder with the given answers; sets zot_pid and window.
start_zot() {
    local answers=$1 tag=$2
    (cd "$work" && printf '%b' "$answers" | exec "$run_dir/zot" >"out$tag.txt" 2>"err$tag.txt") &
    zot_pid=$!
    window=
    for _ in $(seq 100); do
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
}

key() { xdotool key --delay 30 "$@"; }

# Waits until zot has ended and checks its exit code.
expect_exit() {
    local code=0
    for _ in $(seq 100); do
        kill -0 "$zot_pid" 2>/dev/null || break
        sleep 0.1
    done
    wait "$zot_pid" || code=$?
    zot_pid=
    [ "$code" -eq "$1" ] || fail "exit code $code, expected $1"
}

# One trial: space starts it; the report screen comes up on its own (Xvfb does
# not pace swaps, so the phases pass quickly); type; wait out the 1800 ms
# lock-out; the next space ends it.
trial() {
    key space
    sleep 0.8
    [ $# -gt 0 ] && key "$@"
    sleep 1.3
}

start_zot 'S01 CODE\n1\n30 f r 0\n' 1
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
key space                    # the end screen stays
sleep 0.3
key Escape
expect_exit 0

logs="$work/logs"
data="$logs/ZOT_vive_S01_1.dat"
practice="$logs/ZOT_vive_S01_1_practice.dat"
history="$logs/ZOT_vive_S01_1_history.dat"
for f in "$data" "$practice" "$history"; do [ -f "$f" ] || fail "missing $f"; done

record='^[0-9]+\t[0-9]+\t[A-Z0]{6}\t[A-Z0]{6}\t(-|[A-Z]+)\t$'
[ "$(wc -l <"$data")" -eq 3 ] || fail "data file: $(wc -l <"$data") lines, expected 3"
[ "$(head -n 1 "$data")" = 2 ] || fail "data file count line"
[ "$(tail -n +2 "$data" | grep -cP "$record")" -eq 2 ] || fail "data records malformed"
[ "$(tail -n +2 "$data" | cut -f5 | paste -sd,)" = "XYZ,D" ] || fail "data reports"
[ "$(wc -l <"$practice")" -eq 3 ] || fail "practice file lines"
[ "$(head -n 1 "$practice")" = 2 ] || fail "practice count line"
[ "$(tail -n +2 "$practice" | grep -cP "$record")" -eq 2 ] || fail "practice records malformed"
[ "$(tail -n +2 "$practice" | cut -f5 | paste -sd,)" = "A,-" ] || fail "practice reports"

# History: eight subject lines, then per trial its phases and keys in order.
expected_header="SubjectNumber: S01,SubjectCode: CODE,Session: 1,Age: 30,Gender: f,Handedness: r,VisionAid: 0"
[ "$(head -n 7 "$history" | cut -f2 | paste -sd,)" = "$expected_header" ] || fail "history header"
sed -n 8p "$history" | grep -qP '^[0-9]+\tTime: [1-9][0-9]?/[1-9][0-9]?/[0-9]{4} [0-9]{1,2}:[0-9]{1,2}:[0-9]{1,2}$' ||
    fail "history date line"
grep -qvP '^-?[0-9]+\t' "$history" && fail "history line without a time stamp"
sort -n -c <(cut -f1 "$history") 2>/dev/null || fail "history time stamps go backwards"
events=$(tail -n +9 "$history" | cut -f2 | sed -E 's/^[0-9]+$/stimulus/' | paste -sd,)
trial_lines="fixation,stimulus,masks,blank"
expected="$trial_lines,report: A,report: B,report: backspace,$trial_lines,$trial_lines,report: X,report: Y,report: Z,$trial_lines,report: D"
[ "$events" = "$expected" ] || fail "history events: $events"
records_of() { (tail -n +2 "$practice"; tail -n +2 "$data") | cut -f"$1"; }
# The stimulus line of each trial describes the trial its record holds.
stimuli=$(grep -P '^[0-9]+\t[0-9]+\t[0-9]+\t' "$history" | cut -f2-5)
records=$( (tail -n +2 "$practice"; tail -n +2 "$data") | cut -f1-4)
[ "$stimuli" = "$records" ] || fail "stimulus descriptions differ from the records"
# 60 Hz: the whole-report exposures are 17, 17, 50, 83, 133 or 200 ms.
(tail -n +2 "$practice"; tail -n +2 "$data") | cut -f2 | grep -qvxE '17|50|83|133|200' && fail "exposure not a 60 Hz value"
grep -q "ZOTExperiment > random seed = 4242" "$work/out1.txt" || fail "seed line"

# Timing: one line per finished trial under its header, in trial order; and
# the start-up check sees that Xvfb does not pace the swaps.
timing="$logs/ZOT_vive_S01_1_timing.dat"
[ -f "$timing" ] || fail "missing $timing"
head -n 1 "$timing" | grep -q "^block"$'\t'"trial"$'\t' || fail "timing header"
[ "$(tail -n +2 "$timing" | cut -f1,2 | paste -sd,)" = "$(printf -- '-1\t0,-1\t1,0\t0,0\t1')" ] ||
    fail "timing lines: $(tail -n +2 "$timing" | cut -f1,2 | paste -sd,)"
[ "$(tail -n +2 "$timing" | cut -f3,4)" = "$(records_of 1,2)" ] || fail "timing conditions differ from the records"
grep -q "^WARNING > BUFFER SWAPS ARE NOT PACED BY THE DISPLAY" "$work/out1.txt" || fail "no unpaced-swap warning"

# A second start with the same subject and session appends to the same files.
start_zot 'S01 CODE\n1\n30 f r 0\n' 2
key Escape
expect_exit 0
[ "$(grep -cx 2 "$data")" -eq 2 ] || fail "second start did not append a count line"
[ "$(grep -c 'SubjectNumber: S01' "$history")" -eq 2 ] || fail "second start did not append a header"
[ "$(wc -l <"$data")" -eq 4 ] || fail "second start changed the records"

# Without a display the window cannot open: a clear message and exit code 2.
(cd "$work" && DISPLAY= "$run_dir/zot" </dev/null >out3.txt 2>err3.txt) && code=0 || code=$?
[ "$code" -eq 2 ] || fail "no display: exit code $code"
grep -qx "ERROR: could not open window with GLFW" "$work/err3.txt" || fail "no display: message"

echo "monitor session: OK"
