#!/usr/bin/env bash
# Installs the build into a temporary prefix, as `cmake --install` does for a
# user, and checks the binary, the manual page (lint-free under mandoc and
# man, the example's tabs shown as spacing) and the bash completion.
# Usage: install_test.sh BUILD_DIR SOURCE_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
source_dir=$(cd "$2" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
[ -x "$work/prefix/bin/corvane" ] || fail "bin/corvane not installed"
page="$work/prefix/share/man/man1/corvane.1"
[ -f "$page" ] || fail "share/man/man1/corvane.1 not installed"
"$work/prefix/bin/corvane" localhost >/dev/null || fail "the installed binary does not run"

# A check that could not run here skips the whole test, visibly, once the
# others have passed.
skipped=0
"$source_dir/tests/manual_page_check.sh" "$page" || { status=$?; [ "$status" -eq 77 ] || exit "$status"; skipped=1; }
"$source_dir/tests/completion_check.sh" "$work/prefix/share" || { status=$?; [ "$status" -eq 77 ] || exit "$status"; skipped=1; }
[ "$skipped" -eq 0 ] || exit 77
