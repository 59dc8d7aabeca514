#!/usr/bin/env bash
# Runs corvane.exe under Wine and the Linux build with the same arguments and
# compares standard output bytes and exit status. Wine has no working remote
# time query, so only the syntax paths are compared here; the report path
# runs against a double of the network management library in
# windows_report_test.sh.
# Usage: windows_output_test.sh WINE CORVANE_EXE LINUX_CORVANE
set -uo pipefail
wine=$1 exe=$2 linux=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export WINEDEBUG=-all TZ=UTC0 LC_ALL=C
passed=0 failed=0
for args in "" "/?" "-x" "?"; do
  if [ -z "$args" ]; then set --; else set -- "$args"; fi
  "$wine" "$exe" "$@" >"$work/windows" 2>/dev/null
  windows_status=$?
  "$linux" "$@" >"$work/linux" 2>/dev/null
  linux_status=$?
  if cmp -s "$work/windows" "$work/linux" && [ "$windows_status" -eq "$linux_status" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    echo "FAIL [$args]: exit $windows_status on Windows, $linux_status on Linux"
    cmp "$work/windows" "$work/linux"
  fi
done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
