# Sourced by the shell tests: `check NAME EXPECTED ACTUAL` counts a pass, or
# a failure with both sides printed, in $passed and $failed.
passed=0 failed=0
check() {
  if [ "$2" = "$3" ]; then
    passed=$((passed + 1))
  else
    failed=$((failed + 1))
    printf 'FAIL: %s\n--- expected\n%s\n--- actual\n%s\n' "$1" "$2" "$3"
  fi
}
