#!/usr/bin/env bash
# Runs the two set-up scripts as root and as a user, against stand-ins for
# dpkg-query, apt-get and sudo that log their calls, and checks that only the
# missing packages are installed, through sudo exactly when not root.
# Usage: setup_scripts_test.sh SOURCE_DIR
set -euo pipefail
source_dir=$(cd "$1" && pwd)
if [ "$(id -u)" -ne 0 ] || ! command -v setpriv >/dev/null 2>&1; then
  echo "SKIP: running the scripts as another user needs root and setpriv"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
chmod 755 "$work"
source "$(dirname "$0")/check.sh"

# The scripts and the stand-ins, readable by any user; a PATH of their own so
# that a real sudo or apt-get is never reached.
mkdir -p "$work/scripts" "$work/bin" "$work/bin-sudo"
cp "$source_dir"/scripts/install-build-deps.sh "$source_dir"/scripts/install-test-deps.sh "$work/scripts/"
for tool in bash env grep id basename dirname; do
  ln -s "$(command -v "$tool")" "$work/bin/$tool"
done
cat >"$work/bin/dpkg-query" <<'STUB'
#!/bin/bash
# Every package is installed except those named in $work/missing.
package=${!#}
grep -qxF -- "$package" "${0%/bin/*}/missing" && exit 1
printf 'install ok installed'
STUB
cat >"$work/bin/apt-get" <<'STUB'
#!/bin/bash
echo "apt-get $* (uid $(id -u), DEBIAN_FRONTEND=${DEBIAN_FRONTEND-})" >>"${0%/bin/*}/log"
STUB
cat >"$work/bin-sudo/sudo" <<'STUB'
#!/bin/bash
# Runs the command as the user, as sudo would run it as root, with the
# environment reset.
echo "sudo $*" >>"${0%/bin-sudo/*}/log"
exec env -i PATH="$PATH" "$@"
STUB
chmod 755 "$work"/bin/* "$work"/bin-sudo/*

# run USER(root|user|user-with-sudo) SCRIPT MISSING... : prints the log and the exit status.
run() {
  local who=$1 script=$2 path="$work/bin"
  shift 2
  printf '%s\n' "$@" >"$work/missing"
  : >"$work/log"
  chmod 666 "$work/log"
  local as=()
  case $who in
    user) as=(setpriv --reuid=65534 --regid=65534 --clear-groups) ;;
    user-with-sudo) as=(setpriv --reuid=65534 --regid=65534 --clear-groups) path="$work/bin-sudo:$work/bin" ;;
  esac
  local status=0
  "${as[@]}" env -i PATH="$path" bash "$work/scripts/$script" >"$work/out" 2>&1 || status=$?
  cat "$work/log"
  echo "status $status"
}

check "root, nothing missing" "status 0" "$(run root install-build-deps.sh)"
check "root, two missing" "apt-get update -q (uid 0, DEBIAN_FRONTEND=noninteractive)
apt-get install -y -q --no-install-recommends cmake libsnmp-dev (uid 0, DEBIAN_FRONTEND=noninteractive)
status 0" "$(run root install-build-deps.sh cmake libsnmp-dev)"
check "user with sudo, one missing" "sudo env DEBIAN_FRONTEND=noninteractive apt-get update -q
apt-get update -q (uid 65534, DEBIAN_FRONTEND=noninteractive)
sudo env DEBIAN_FRONTEND=noninteractive apt-get install -y -q --no-install-recommends g++
apt-get install -y -q --no-install-recommends g++ (uid 65534, DEBIAN_FRONTEND=noninteractive)
status 0" "$(run user-with-sudo install-build-deps.sh g++)"
check "user with sudo, nothing missing" "status 0" "$(run user-with-sudo install-test-deps.sh)"
check "user without sudo, one missing" "status 1" "$(run user install-build-deps.sh make)"
check "user without sudo says why" 1 "$(grep -c "needs root" "$work/out")"
# The test set-up installs the build set too, in one apt-get run.
check "test set-up, one of each set missing" "apt-get update -q (uid 0, DEBIAN_FRONTEND=noninteractive)
apt-get install -y -q --no-install-recommends libncurses-dev lintian (uid 0, DEBIAN_FRONTEND=noninteractive)
status 0" "$(run root install-test-deps.sh lintian libncurses-dev)"

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
