#!/usr/bin/env bash
# Runs a command in a virtual X server of its own and returns its exit code:
#
#   with_xvfb.sh WIDTHxHEIGHT COMMAND [ARGS...]
#
# What the command gets is a display that already answers and stays up:
# - the server never resets when its last client leaves (-noreset). A reset
#   drops every connection still being set up, so a program starting while a
#   short-lived client (xdotool, xdpyinfo, a test that just ended) disconnects
#   fails in glfwInit with "X11: Failed to open display";
# - the server picks a free display number itself (-displayfd) instead of a
#   guess from the lock files that another run can take first;
# - the command starts only after xdpyinfo has been answered.
set -euo pipefail
size=$1
shift
scratch=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 "${size}x24" -nolisten tcp -noreset 3>"$scratch/display" 2>"$scratch/xvfb.log" &
xvfb=$!
trap 'kill "$xvfb" 2>/dev/null; wait "$xvfb" 2>/dev/null; rm -rf "$scratch"' EXIT

give_up() {
    echo "with_xvfb: $1; the server said:" >&2
    cat "$scratch/xvfb.log" >&2
    exit 1
}

# The number is written once the server listens; a slow machine may take a while.
number=
for _ in $(seq 600); do
    number=$(grep -xE '[0-9]+' "$scratch/display" || true)
    [ -n "$number" ] && break
    kill -0 "$xvfb" 2>/dev/null || give_up "Xvfb ended before it had a display"
    sleep 0.1
done
[ -n "$number" ] || give_up "Xvfb reported no display within 60 s"
export DISPLAY=":$number"
# No cookie is needed for a local server started without -auth; one left over
# from another server on the same number must not be offered.
export XAUTHORITY="$scratch/Xauthority"
: >"$XAUTHORITY"
for _ in $(seq 600); do
    xdpyinfo >/dev/null 2>&1 && break
    kill -0 "$xvfb" 2>/dev/null || give_up "Xvfb ended before it answered"
    sleep 0.1
done
xdpyinfo >/dev/null 2>&1 || give_up "display $DISPLAY did not answer within 60 s"

code=0
"$@" || code=$?
exit "$code"
