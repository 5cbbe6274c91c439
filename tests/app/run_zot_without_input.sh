#!/bin/sh
# Starts the real program in a scratch folder with a zot.cfg and no console input:
# it must echo the configuration, print every prompt, and end with exit code 0.
# Usage: run_zot_without_input.sh ZOT_BINARY CONFIG EXPECTED_OUTPUT
set -u
zot=$1 config=$2 expected=$3
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
cp "$config" "$scratch/zot.cfg"
cd "$scratch" || exit 1
"$zot" </dev/null >stdout.txt 2>stderr.txt
status=$?
if [ "$status" -ne 0 ]; then
  echo "zot ended with exit code $status"; cat stderr.txt; exit 1
fi
if ! diff -u "$expected" stdout.txt; then
  echo "zot printed something else than expected"; exit 1
fi
