#!/usr/bin/env bash
# Times `corvane localhost` against `uptime`, alternating runs with output to
# /dev/null, and prints the median wall time and peak memory of each and
# their ratios (bench/bench_runner.cpp).
# Usage: bench/local_vs_uptime.sh [RUNS] [BINARY]
set -euo pipefail
cd "$(dirname "$0")/.."
source bench/bench_lib.sh
runs=${1:-200}
binary=${2:-build/corvane}
bench_build "$binary"
bench_describe_machine
echo "binary: $binary, $(stat -c %s "$binary") bytes"
build/bench_runner "$runs" "corvane localhost" "$binary" localhost :: uptime uptime
