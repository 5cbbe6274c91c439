#!/usr/bin/env bash
# Frame-loop benchmark: zot's main loop against a bare GLFW loop that only
# clears and swaps, side by side in one virtual X server at 1920x1080 (where
# vsync has no effect, so both run as fast as they can).
#
#   tests/support/with_xvfb.sh 1920x1080 tools/bench/frame_loop_bench.sh build/run build/tools/bench/bare_loop
set -euo pipefail
run_dir=$(cd "$1" && pwd)
bare=$(cd "$(dirname "$2")" && pwd)/$(basename "$2")
seconds=${3:-5}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

echo "bare loop (clear and swap):"
"$bare" "$seconds" 1920 1080 | sed 's/^/  /'
echo "bare loop, waiting for each swap (glFinish):"
"$bare" "$seconds" 1920 1080 finish | sed 's/^/  /'

ln -s "$run_dir/data" "$work/data"
ln -s "$run_dir/shaders" "$work/shaders"
printf 'display=MONITOR\nrefreshRate=60\nsubjectInput=0\n' >"$work/zot.cfg"
(cd "$work" && exec "$run_dir/zot" >out.txt 2>err.txt) &
pid=$!
sleep "$seconds"
window=$(xdotool search --name '^ZOT$' | head -n 1)
xdotool mousemove 10 10
xdotool windowfocus "$window" 2>/dev/null || true
xdotool key Escape
wait "$pid"
echo "zot (welcome screen, every frame stamped after glFinish):"
grep -E "^ZOTRenderer > |^RefreshMeter > measured" "$work/out.txt" | sed 's/^/  /'
