#!/usr/bin/env bash
# Builds Corvane twice, plainly and with AddressSanitizer and
# UndefinedBehaviorSanitizer, and runs every test in both builds; then builds
# corvane.exe for Windows and tests it under Wine, and runs the fuzzer for a
# bounded number of inputs.
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

# The Windows build, cross-compiled with MinGW-w64; its tests run under Wine
# and compare corvane.exe with the plain Linux build: its syntax output with
# corvane's, its report path (answered by a double of the network
# management library) with report_driver's, fed the same answers.
if command -v x86_64-w64-mingw32-g++-posix >/dev/null 2>&1; then
  echo "== windows build"
  export WINEPREFIX="${WINEPREFIX:-$PWD/build-tests-windows/wineprefix}" WINEDEBUG=-all
  export WINEDLLOVERRIDES="mscoree,mshtml="  # No Mono or Gecko installer prompts.
  cmake -S . -B build-tests-windows -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
    -DCMAKE_BUILD_TYPE=Release -DCORVANE_LINUX_BINARY="$PWD/build-tests-plain/corvane" \
    -DCORVANE_LINUX_REPORT_DRIVER="$PWD/build-tests-plain/tests/report_driver" >/dev/null
  cmake --build build-tests-windows -j "$jobs"
  ctest --test-dir build-tests-windows --output-on-failure --timeout 600
else
  echo "== windows build skipped: MinGW-w64 is not installed"
fi

# The fuzzer needs clang's libFuzzer; without it the run says so and goes on.
if command -v clang++ >/dev/null 2>&1; then
  echo "== fuzz build"
  cmake -S . -B build-tests-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCORVANE_TESTS=OFF -DCORVANE_FUZZ=ON >/dev/null
  cmake --build build-tests-fuzz -j "$jobs" --target snmp_answer_fuzz
  ctest --test-dir build-tests-fuzz --output-on-failure --timeout 600
else
  echo "== fuzz build skipped: clang++ is not installed"
fi
