#!/usr/bin/env bash
# Windows: zot started by a double-click runs in a console window of its own,
# which closes with it. A start that is refused must leave that window open,
# its messages readable, until Enter is pressed, and still end with exit code 2.
# wine's console program gives zot such a window; the answers and Enter are
# typed into it with X key events.
#
#   own_console_window.sh <run folder> [program file name]     (needs DISPLAY; Windows build under wine)
set -euo pipefail

run_dir=$(cd "$1" && pwd)
zot_name=${2:-zot.exe}
. "$(dirname "$0")/session_lib.sh"
e2e_setup
# No data/ and no shaders/: the start is refused after the questions.
rm "$work/data" "$work/shaders"
cp "$run_dir/$zot_name" "$work/"

(cd "$work" && exec "$ZOT_EMULATOR" wineconsole "$zot_name" >out1.txt 2>err1.txt) &
zot_pid=$!
window=
for _ in $(seq 300); do
    window=$(xdotool search --onlyvisible --name "$zot_name" 2>/dev/null | head -n 1) || true
    [ -n "$window" ] && break
    kill -0 "$zot_pid" 2>/dev/null || fail "the console window never opened"
    sleep 0.1
done
[ -n "$window" ] || fail "no console window"
xdotool mousemove 10 10
timeout 10 xdotool windowfocus --sync "$window" 2>/dev/null || fail "the console window took no focus"
for answer in S01 CODE 1 30 f r 0; do
    xdotool type --delay 30 "$answer"
    key Return
done
# The refusal is said and zot is done, but the window waits for Enter.
sleep 3
kill -0 "$zot_pid" 2>/dev/null || fail "the console window closed before Enter was pressed"
key Return
expect_exit 2
echo "own console window: OK"
