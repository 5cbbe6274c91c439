#!/bin/sh
# Starts the real program in a scratch folder with a zot.cfg and the run folder's
# data and shaders (the binary's folder), no console input and no display. The
# entry must echo the configuration, print every prompt (the ended input answers
# none), pass the check of its files, seed the experiment, and then end with exit
# code 2 because no window can be opened, with GLFW's reason and the line that
# the session was not started, before any result file is made.
# Usage: run_zot_without_display.sh ZOT_BINARY CONFIG EXPECTED_OUTPUT_START
# ZOT_EMULATOR, when set, starts the binary (wine for a Windows build);
# ZOT_LINE_END=crlf expects the output's lines to end in CR LF.
set -u
zot=$1 config=$2 expected=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$config" "$scratch/zot.cfg"
run_dir=$(dirname "$zot")
ln -s "$run_dir/data" "$scratch/data"
ln -s "$run_dir/shaders" "$scratch/shaders"
cd "$scratch" || exit 1
env -u DISPLAY -u WAYLAND_DISPLAY ${ZOT_EMULATOR:+"$ZOT_EMULATOR"} "$zot" </dev/null >stdout.txt 2>stderr.txt
status=$?
if [ "$status" -ne 2 ]; then
  echo "zot ended with exit code $status instead of 2"; cat stdout.txt stderr.txt; exit 1
fi
if [ "${ZOT_LINE_END:-lf}" = crlf ]; then
  sed 's/$/\r/' "$expected" >expected.txt
else
  cp "$expected" expected.txt
fi
lines=$(wc -l <expected.txt)
head -n "$lines" stdout.txt >start.txt
if ! diff -u expected.txt start.txt; then
  echo "zot began its output with something else than expected"; exit 1
fi
# What is said on standard error is read line by line, without line ends.
tr -d '\r' <stderr.txt >said.txt
if ! grep -q '^ERROR > GLFW: .' said.txt; then
  echo "zot did not pass on GLFW's own reason for the failure on standard error:"; cat stderr.txt; exit 1
fi
if ! grep -qx 'ERROR > the session was not started; nothing was written' said.txt; then
  echo "zot did not say that the session was not started:"; cat stderr.txt; exit 1
fi
if [ -e logs ]; then
  echo "zot made result files although no session ran"; exit 1
fi
