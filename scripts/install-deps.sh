#!/usr/bin/env bash
# Installs what building and testing Corvane needs on Debian, skipping
# packages that are already there. Run as root (or through sudo).
set -euo pipefail

# libncurses-dev gives terminfo's header and library for clearing a terminal,
# and ncurses-base the terminal types the tests use; snmpd serves the tests; snmp (snmpget) and time serve the benchmarks; clang
# builds the fuzzer; man-db renders the manual page; MinGW-w64 and Wine build
# and test the Windows binary; tzdata gives the zones its report tests name.
packages=(g++ cmake make pkg-config libgtest-dev libsnmp-dev libncurses-dev ncurses-base snmpd snmp clang libclang-rt-dev time man-db g++-mingw-w64-x86-64 wine64 tzdata)

missing=()
for package in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -q
$sudo apt-get install -y -q --no-install-recommends "${missing[@]}"
