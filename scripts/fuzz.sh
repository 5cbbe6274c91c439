#!/usr/bin/env bash
# Builds the fuzz harnesses with clang, AddressSanitizer and
# UndefinedBehaviorSanitizer into build-fuzz/, then runs each for SECONDS
# (default 60), starting from its seeds and the inputs earlier runs kept in
# build-fuzz/corpus. Any finding stops with the input that caused it in
# build-fuzz/findings and exit code 1.
#
#   bash scripts/fuzz.sh [SECONDS]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
seconds=${1:-60}
bash "$here/install-deps.sh"
cd "$here/.."
mkdir -p build-fuzz
cmake -S . -B build-fuzz -DZOT_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >build-fuzz/configure.log 2>&1 ||
  { cat build-fuzz/configure.log; exit 1; }
cmake --build build-fuzz -j"$(nproc)" --target zot_fuzz
cd build-fuzz
mkdir -p findings
status=0
for harness in config limg dat; do
  binary=tests/fuzz/zot_fuzz_$harness
  [ -x "$binary" ] || continue
  mkdir -p "corpus/$harness"
  log="findings/$harness.log"
  if "./$binary" -max_total_time="$seconds" -max_len=4096 -timeout=10 -print_final_stats=1 \
       -artifact_prefix="findings/$harness-" "corpus/$harness" "tests/fuzz/seeds/$harness" >"$log" 2>&1; then
    runs=$(grep -oP '^Done \K[0-9]+(?= runs)' "$log" || echo "?")
    echo "fuzz $harness: $runs inputs in $seconds s, 0 findings"
  else
    echo "fuzz $harness: FINDING (input in build-fuzz/findings/, log below)" >&2
    tail -n 60 "$log" >&2
    status=1
  fi
done
exit $status
