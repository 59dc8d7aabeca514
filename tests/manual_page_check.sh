#!/usr/bin/env bash
# Checks a manual page, plain or gzip-compressed: mandoc's lint and man's
# warnings are silent, the sections are there, and the report example shows
# each label's tab as spacing.
# Usage: manual_page_check.sh PAGE
# Exits 77 when all ran passed but mandoc was missing.
set -euo pipefail
page=$1
skipped=0
fail() { echo "FAIL: $*"; exit 1; }

if command -v mandoc >/dev/null 2>&1; then
  lint=$(mandoc -T lint -W warning "$page" 2>&1) || fail "mandoc -T lint: $lint"
  [ -z "$lint" ] || fail "mandoc -T lint: $lint"
else
  echo "SKIP: mandoc is not installed, so its lint is not checked"
  skipped=1
fi
warnings=$(MANWIDTH=80 LC_ALL=C man --warnings -l "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man -l warns: $warnings"
text=$(MANWIDTH=80 LC_ALL=C man -l "$page" 2>/dev/null)
for section in NAME SYNOPSIS DESCRIPTION "EXIT STATUS" ENVIRONMENT FILES NOTES EXAMPLES "REPORTING BUGS" "SEE ALSO"; do
  grep -q "^$section\$" <<<"$text" || fail "no $section section"
done
for label in Current Started Running; do
  grep -Eq "^ +$label: +[A-Z0-9]" <<<"$text" || fail "the $label line of the example is not spaced: $(grep "$label:" <<<"$text")"
done
[ "$(sed -n '$p' <<<"$text" | grep -Eo '[0-9]{4}-[0-9]{2}-[0-9]{2}')" != "" ] || fail "the page's date is not an ISO date"
echo "manual page: passed"
[ "$skipped" -eq 0 ] || exit 77
