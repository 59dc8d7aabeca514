#!/usr/bin/env bash
# Installs the build into a temporary prefix and builds the Debian package,
# and checks that both hold the binary and the manual page, and that the
# page renders without warnings.
# Usage: packaging_test.sh BUILD_DIR
set -euo pipefail
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

cmake --install "$build" --prefix "$work/prefix" >/dev/null
[ -x "$work/prefix/bin/corvane" ] || fail "bin/corvane not installed"
page="$work/prefix/share/man/man1/corvane.1"
[ -f "$page" ] || fail "share/man/man1/corvane.1 not installed"
"$work/prefix/bin/corvane" localhost >/dev/null || fail "the installed binary does not run"

warnings=$(MANWIDTH=80 LC_ALL=C man --warnings -l "$page" 2>&1 >/dev/null)
[ -z "$warnings" ] || fail "man -l warns: $warnings"
for section in NAME SYNOPSIS DESCRIPTION "EXIT STATUS" ENVIRONMENT FILES EXAMPLES; do
  MANWIDTH=80 LC_ALL=C man -l "$page" 2>/dev/null | grep -q "^$section" || fail "no $section section"
done

(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >/dev/null)
deb=$(find "$work/package" -maxdepth 1 -name '*.deb' | head -n 1)
[ -n "$deb" ] || fail "no package built"
contents=$(dpkg-deb -c "$deb")
grep -q ' \./usr/bin/corvane$' <<<"$contents" || fail "package lacks usr/bin/corvane: $contents"
grep -q ' \./usr/share/man/man1/corvane\.1$' <<<"$contents" || fail "package lacks the manual page: $contents"
depends=$(dpkg-deb -f "$deb" Depends)
grep -q 'libsnmp' <<<"$depends" || fail "package does not depend on the net-snmp runtime: $depends"
grep -q 'libtinfo' <<<"$depends" || fail "package does not depend on terminfo's library: $depends"
echo "1 passed, 0 failed"
