#!/usr/bin/env bash
# Times `corvane 127.0.0.1:PORT` against `snmpget` of the same five objects
# from the same local snmpd, alternating runs, and prints the ratio of the
# median wall times and of the median peak memory. Both send one request.
# Usage: bench/snmp_vs_snmpget.sh [RUNS] [BINARY]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-100}
binary=${2:-build/corvane}
if [ ! -x "$binary" ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DCORVANE_TESTS=OFF >/dev/null
  cmake --build build -j "$(nproc)" --target corvane >/dev/null
fi
snmpd=$(command -v snmpd || echo /usr/sbin/snmpd)

work=$(mktemp -d)
agent=""
cleanup() {
  [ -n "$agent" ] && kill "$agent" 2>/dev/null && wait "$agent" 2>/dev/null
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
CONF
MIBS= MIBDIRS= SNMP_PERSISTENT_DIR="$work/state" "$snmpd" -f -C -c "$work/snmpd.conf" -Lf "$work/snmpd.log" &
agent=$!
for _ in $(seq 100); do
  grep -q "0100007F:$(printf '%04X' "$port")" /proc/net/udp && break
  sleep 0.05
done

mkdir -p "$work/client"
export SNMPCONFPATH="$work/client" TZ=UTC0
objects=(1.3.6.1.2.1.25.1.2.0 1.3.6.1.2.1.25.1.1.0 1.3.6.1.2.1.1.3.0 1.3.6.1.6.3.10.2.1.3.0 1.3.6.1.4.1.77.1.1.4.0)

# Appends "microseconds kilobytes" of one run to a file.
measure() {
  local file=$1 start end
  shift
  start=$(date +%s%N)
  /usr/bin/time -f %M -o "$work/rss" "$@" >"$work/out" 2>&1 || true
  end=$(date +%s%N)
  echo "$(((end - start) / 1000)) $(tail -n 1 "$work/rss")" >>"$file"
}

"$binary" "127.0.0.1:$port" >"$work/out" || { echo "corvane failed:"; cat "$work/out"; exit 1; }
for ((i = 0; i < runs; i++)); do
  measure "$work/corvane" "$binary" "127.0.0.1:$port"
  measure "$work/snmpget" snmpget -v2c -c public "127.0.0.1:$port" "${objects[@]}"
done

median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
ct=$(cut -d' ' -f1 "$work/corvane" | median)
st=$(cut -d' ' -f1 "$work/snmpget" | median)
cm=$(cut -d' ' -f2 "$work/corvane" | median)
sm=$(cut -d' ' -f2 "$work/snmpget" | median)
echo "runs: $runs"
echo "median wall time:   corvane ${ct} us, snmpget ${st} us"
echo "median peak memory: corvane ${cm} KiB, snmpget ${sm} KiB"
awk -v a="$ct" -v b="$st" -v c="$cm" -v d="$sm" \
  'BEGIN { printf "ratio corvane/snmpget: wall %.2f, peak memory %.2f\n", a / b, c / d }'
