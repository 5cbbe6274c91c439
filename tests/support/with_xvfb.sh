#!/usr/bin/env bash
# Runs a command in a virtual X server of its own and returns its exit code:
#
#   with_xvfb.sh WIDTHxHEIGHT COMMAND [ARGS...]
#
# What the command gets is a display that already answers. Unlike xvfb-run -a:
# - the server picks its display number itself (-displayfd) and reports only one
#   whose lock file and every listening socket it holds, so runs started at the
#   same moment, and servers in a chroot or another mount namespace (which share
#   the abstract socket names but not /tmp), never end up on one number;
# - it never resets when its last client leaves (-noreset): a program connecting
#   at that moment would be dropped while it starts, and GLFW's init then fails;
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
