#!/usr/bin/env bash
# Installs what building and running Corvane needs on Debian, and any further
# packages named as arguments, skipping those already installed. Runs
# apt-get directly as root, through sudo otherwise.
# Usage: scripts/install-build-deps.sh [PACKAGE...]
set -euo pipefail

# The compiler and CMake; net-snmp's headers and pkg-config file (the library
# itself is loaded at run time and comes with them); OpenSSL's headers, for
# starting the library net-snmp loads and computing SNMPv3 keys with it;
# ncurses' terminfo library for clearing the terminal.
build_packages=(g++ make cmake pkgconf libsnmp-dev libssl-dev libncurses-dev)

missing=()
for package in "${build_packages[@]}" "$@"; do
  dpkg-query -W -f='${Status}' "$package" 2>/dev/null | grep -q 'install ok installed' || missing+=("$package")
done
if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

as_root=()
if [ "$(id -u)" -ne 0 ]; then
  if ! command -v sudo >/dev/null 2>&1; then
    echo "$(basename "$0"): installing ${missing[*]} needs root: run this as root, or install sudo" >&2
    exit 1
  fi
  as_root=(sudo)
fi
# sudo resets the environment, so the front end is set on the command itself.
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get update -q
"${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends "${missing[@]}"
