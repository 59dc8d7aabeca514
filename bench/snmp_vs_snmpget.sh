#!/usr/bin/env bash
# Times `corvane 127.0.0.1:PORT` against snmpget asking the same agent for
# the five objects of the tool's GET (hrSystemDate, hrSystemUptime,
# sysUpTime, snmpEngineTime, comStatStart), with SNMPv2c and with
# SNMPv3 authPriv (SHA and AES), and prints the median wall time and peak
# memory of each and their ratios (bench/bench_runner.cpp). The agent is an
# snmpd of its own on a free loopback port, with a community and an SNMPv3
# user of its own.
#
# Both tools read one client configuration (SNMPCONFPATH) for the version
# and credentials, and snmpget runs the way it costs least: no MIB files
# (-m '' -M ''), no persistent state, its output discarded like the tool's.
# Usage: bench/snmp_vs_snmpget.sh [RUNS] [BINARY]
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/bench_lib.sh
runs=${1:-100}
binary=${2:-build/corvane}
bench_build "$binary"
snmpd=$(command -v snmpd || echo /usr/sbin/snmpd)
runner=$PWD/build/bench_runner

work=$(mktemp -d)
agent=""
cleanup() {
  if [ -n "$agent" ]; then kill "$agent" 2>/dev/null || true; wait "$agent" 2>/dev/null || true; fi
  rm -rf "$work"
}
trap cleanup EXIT

# A free loopback UDP port: one that /proc/net/udp does not list.
port=""
for candidate in $(shuf -i 20000-60000 -n 50); do
  if ! grep -q "0100007F:$(printf '%04X' "$candidate")" /proc/net/udp; then port=$candidate; break; fi
done
[ -n "$port" ] || { echo "no free port"; exit 1; }

cat >"$work/snmpd.conf" <<CONF
agentAddress udp:127.0.0.1:$port
rocommunity public 127.0.0.1
createUser benchuser SHA bench-auth-passphrase AES bench-priv-passphrase
rouser benchuser priv
CONF
MIBS= MIBDIRS= SNMP_PERSISTENT_DIR="$work/state" "$snmpd" -f -C -c "$work/snmpd.conf" -Lf "$work/snmpd.log" &
agent=$!
for _ in $(seq 100); do
  grep -q "0100007F:$(printf '%04X' "$port")" /proc/net/udp && break
  sleep 0.05
done

common="noPersistentLoad yes
noPersistentSave yes"
mkdir -p "$work/v2c" "$work/v3"
printf '%s\ndefVersion 2c\ndefCommunity public\n' "$common" >"$work/v2c/snmp.conf"
printf '%s\ndefVersion 3\ndefSecurityName benchuser\ndefSecurityLevel authPriv\n%s\n' "$common" \
  "defAuthType SHA
defAuthPassphrase bench-auth-passphrase
defPrivType AES
defPrivPassphrase bench-priv-passphrase" >"$work/v3/snmp.conf"

objects=(1.3.6.1.2.1.25.1.2.0 1.3.6.1.2.1.25.1.1.0 1.3.6.1.2.1.1.3.0 1.3.6.1.6.3.10.2.1.3.0 1.3.6.1.4.1.77.1.1.4.0)
export TZ=UTC0 SNMP_PERSISTENT_DIR="$work/client-state" HOME="$work"
bench_describe_machine
for version in v2c v3; do
  export SNMPCONFPATH="$work/$version"
  "$binary" "127.0.0.1:$port" >"$work/out" || { echo "corvane failed ($version):"; cat "$work/out"; exit 1; }
  echo "== SNMP $version"
  "$runner" "$runs" "corvane" "$binary" "127.0.0.1:$port" :: \
    snmpget snmpget -m '' -M '' "127.0.0.1:$port" "${objects[@]}"
done
