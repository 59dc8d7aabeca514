#!/usr/bin/env bash
# Installs what scripts/run-tests.sh and the benchmarks need on Debian, with
# what building needs, skipping packages already installed. Runs apt-get
# directly as root, through sudo otherwise.
set -euo pipefail

# GoogleTest; snmpd serves the SNMP tests; snmp (snmpget) serves the
# benchmarks; clang builds the fuzzer; MinGW-w64 and Wine build and test the
# Windows binary; man-db and mandoc check the manual page; build-essential,
# debhelper and lintian build and check the Debian package; bash-completion
# loads the completion as a user's shell does; ncurses-base holds the terminal
# types and tzdata the zones that the tests name; strace shows the SNMP tests
# that nothing is created whatever snmp.conf says.
test_packages=(libgtest-dev snmpd snmp clang libclang-rt-dev g++-mingw-w64-x86-64 wine64
  man-db mandoc build-essential debhelper lintian bash-completion ncurses-base tzdata strace)

exec "$(dirname "$0")/install-build-deps.sh" "${test_packages[@]}"
