#!/usr/bin/env bash
# Installs what building and testing Corvane needs on Debian, skipping
# packages that are already there. Run as root (or through sudo).
set -euo pipefail

# snmpd serves the tests, strace checks that a run creates no files; snmp
# (snmpget) and time serve the benchmarks; clang
# builds the fuzzer; man-db renders the manual page; MinGW-w64 and Wine build
# and test the Windows binary.
packages=(g++ cmake make pkg-config libgtest-dev libsnmp-dev snmpd strace snmp clang libclang-rt-dev time man-db g++-mingw-w64-x86-64 wine64)

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
