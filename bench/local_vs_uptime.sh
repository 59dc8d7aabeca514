#!/usr/bin/env bash
# Times `corvane localhost` against `uptime`, alternating runs with output to
# a file, and prints each median wall time and their ratio.
# Usage: bench/local_vs_uptime.sh [RUNS] [BINARY]
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-200}
binary=${2:-build/corvane}
if [ ! -x "$binary" ]; then
  cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DCORVANE_TESTS=OFF >/dev/null
  cmake --build build -j "$(nproc)" --target corvane >/dev/null
fi
out=$(mktemp)
trap 'rm -f "$out" "$out".*' EXIT

# Wall time of one run in microseconds.
time_one() {
  local start end
  start=$(date +%s%N)
  "$@" >"$out" 2>&1 || true
  end=$(date +%s%N)
  echo $(((end - start) / 1000))
}

for ((i = 0; i < runs; i++)); do
  time_one "$binary" localhost >>"$out.corvane"
  time_one uptime >>"$out.uptime"
done

median() { sort -n "$1" | awk '{ v[NR] = $1 } END { print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }
corvane=$(median "$out.corvane")
peer=$(median "$out.uptime")
echo "runs: $runs"
echo "corvane localhost median: ${corvane} us"
echo "uptime median:            ${peer} us"
awk -v a="$corvane" -v b="$peer" 'BEGIN { printf "ratio corvane/uptime:     %.2f\n", a / b }'
