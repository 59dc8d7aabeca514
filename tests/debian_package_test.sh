#!/usr/bin/env bash
# Builds the Debian package from a copy of the source tree, as a Debian
# maintainer would (dpkg-buildpackage with debhelper), and checks it: lintian
# finds no error and no warning; the package holds the stripped, hardened
# binary, the compressed manual page, the copyright file with the project's
# licence, the changelog and the bash completion; it depends on the net-snmp
# runtime and terminfo libraries that the binary loads, and suggests snmp.
# Usage: debian_package_test.sh SOURCE_DIR
set -euo pipefail
source_dir=$(cd "$1" && pwd)
for tool in dpkg-buildpackage dh lintian; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed (scripts/install-test-deps.sh installs it)"
    exit 77
  fi
done
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAIL: $*"; exit 1; }

# A copy, so that the build leaves the source tree as it was.
mkdir "$work/corvane"
tar -C "$source_dir" --exclude='./build*' --exclude=./.git -cf - . | tar -C "$work/corvane" -xf -
(cd "$work/corvane" && dpkg-buildpackage -us -uc -b -j2 >"$work/build.log" 2>&1) ||
  { tail -n 40 "$work/build.log"; fail "dpkg-buildpackage failed"; }
version=$(sed -n 's/^project(corvane VERSION \([^ ]*\).*/\1/p' "$source_dir/CMakeLists.txt")
changelog_version=$(cd "$source_dir" && dpkg-parsechangelog -S Version)
[ "$changelog_version" = "$version" ] || fail "debian/changelog is at $changelog_version, the project at $version"
deb="$work/corvane_${version}_$(dpkg-architecture -qDEB_HOST_ARCH).deb"
[ -f "$deb" ] || fail "no package $(basename "$deb"): $(ls "$work")"

# lintian over everything the build made (the package, its debug symbols and
# the build record), with every tag shown; errors and warnings fail.
lint=$(lintian --pedantic --display-info --display-experimental "$work"/corvane_*.changes 2>&1 |
  grep -v '^running with root privileges is not recommended!$' || true)
[ -z "$lint" ] || echo "$lint"
if grep -Eq '^[EW]: ' <<<"$lint"; then
  fail "lintian reports errors or warnings"
fi

contents=$(dpkg-deb -c "$deb" | awk '{ print $6 }')
for path in ./usr/bin/corvane ./usr/share/man/man1/corvane.1.gz ./usr/share/doc/corvane/copyright \
  ./usr/share/doc/corvane/changelog.gz ./usr/share/bash-completion/completions/corvane; do
  grep -qxF "$path" <<<"$contents" || fail "the package lacks $path: $contents"
done
depends=$(dpkg-deb -f "$deb" Depends)
grep -Eq '(^|, )libsnmp[0-9]+ \(>= [^)]+\)' <<<"$depends" || fail "no versioned dependency on the net-snmp runtime: $depends"
grep -Eq '(^|, )libtinfo[0-9]+ \(>= [^)]+\)' <<<"$depends" || fail "no versioned dependency on terminfo's library: $depends"
[ "$(dpkg-deb -f "$deb" Suggests)" = snmp ] || fail "does not suggest snmp: $(dpkg-deb -f "$deb" Suggests)"
[ -n "$(dpkg-deb -f "$deb" Description | sed -n '2p')" ] || fail "the description has no extended part"

dpkg-deb -x "$deb" "$work/root"
binary="$work/root/usr/bin/corvane"
file "$binary" | grep -q ', stripped' || fail "the binary is not stripped: $(file "$binary")"
readelf -d "$binary" | grep -Eq 'FLAGS.*BIND_NOW' || fail "the binary is not linked with BIND_NOW"
readelf -lW "$binary" | grep -q GNU_RELRO || fail "the binary has no RELRO segment"
readelf -h "$binary" | grep -q 'DYN (Position-Independent' || fail "the binary is not position-independent"
nm -D "$binary" | grep -q '__[a-z]*_chk' || fail "the binary calls no fortified function"
"$binary" localhost >/dev/null || fail "the packaged binary does not run"

# The copyright file carries the licence of LICENSE, word for word.
copyright="$work/root/usr/share/doc/corvane/copyright"
grep -qx 'Copyright: 2026 Corvane developers' "$copyright" || fail "copyright holder or year differs from LICENSE"
grep -qx 'Copyright (c) 2026 Corvane developers' "$source_dir/LICENSE" || fail "LICENSE names another holder or year"
licence_body() { sed -n '/^ *Permission is hereby granted/,$p' | sed -e 's/^ //' -e 's/^\.$//'; }
diff <(licence_body <"$source_dir/LICENSE") <(sed -n '/^License: Expat$/,$p' "$copyright" | sed 1d | licence_body) ||
  fail "the copyright file's licence text differs from LICENSE"

# A check that could not run here skips the whole test, visibly, once the
# others have passed.
skipped=0
"$source_dir/tests/manual_page_check.sh" "$work/root/usr/share/man/man1/corvane.1.gz" || { status=$?; [ "$status" -eq 77 ] || exit "$status"; skipped=1; }
"$source_dir/tests/completion_check.sh" "$work/root/usr/share" || { status=$?; [ "$status" -eq 77 ] || exit "$status"; skipped=1; }
echo "debian package: passed"
[ "$skipped" -eq 0 ] || exit 77
