#!/usr/bin/env bash
# Runs a GoogleTest program of the Windows build under wine in a virtual
# desktop of the given size: wine's processes share the one X display their
# server was started on, so a screen of another size is a desktop window of
# that size on it. explorer does not hand on the program's exit code; the
# result is read from the program's XML report instead.
# Usage: wine-desktop-test.sh WIDTHxHEIGHT PROGRAM [ARGUMENTS...]
set -euo pipefail
size=$1
shift
. "$(dirname "$0")/wine-env.sh"
report=$(mktemp --suffix=.xml)
trap 'rm -f "$report"' EXIT
zot_wine explorer "/desktop=zot$$,$size" "$@" --gtest_output="xml:$(winepath -w "$report")"
summary=$(grep -m1 -o '<testsuites [^>]*' "$report" || true)
if [ -z "$summary" ]; then
  echo "wine-desktop-test: $1 wrote no test report (it crashed or did not start)" >&2
  exit 1
fi
echo "wine-desktop-test: $summary"
case "$summary" in
  *' tests="0"'*) echo "wine-desktop-test: no test ran" >&2; exit 1 ;;
esac
[[ "$summary" == *' failures="0"'* && "$summary" == *' errors="0"'* ]]
