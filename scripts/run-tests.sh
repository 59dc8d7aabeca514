#!/usr/bin/env bash
# Builds Corvane twice, plainly and with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test in both builds.
set -euo pipefail
cd "$(dirname "$0")/.."

jobs=$(nproc 2>/dev/null || echo 2)
export ASAN_OPTIONS=detect_leaks=1:abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1

for variant in plain sanitize; do
  dir="build-tests-$variant"
  sanitize=OFF
  [ "$variant" = sanitize ] && sanitize=ON
  echo "== $variant build"
  cmake -S . -B "$dir" -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCORVANE_SANITIZE="$sanitize" >/dev/null
  cmake --build "$dir" -j "$jobs"
  ctest --test-dir "$dir" --output-on-failure --timeout 300
done
