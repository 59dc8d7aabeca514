# Shared by the benchmarks: sourced, not run.

# Builds the tool (when BINARY is missing) and the runner into build/.
bench_build() {
  local binary=$1
  if [ ! -x "$binary" ] || [ ! -x build/bench_runner ]; then
    cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DCORVANE_TESTS=OFF >/dev/null
    cmake --build build -j "$(nproc)" --target corvane bench_runner >/dev/null
  fi
}

# Prints the machine's load, so that a reader knows how busy it was.
bench_describe_machine() {
  echo "machine: $(nproc) cores, load average $(cut -d' ' -f1-3 /proc/loadavg)"
}
