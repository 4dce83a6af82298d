#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of
# seconds (default 5), seeded from the test fixtures. Findings land in build-fuzz/findings.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-5}
only=${2:-}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCF_FUZZ=ON -DCF_BUILD_TESTS=OFF -DCF_BENCHMARKS=OFF >/dev/null
cmake --build build-fuzz -j "$(nproc)"
mkdir -p build-fuzz/findings
status=0
for target in build-fuzz/fuzz/*_fuzz; do
  name=$(basename "$target")
  [ -n "$only" ] && [ "$name" != "$only" ] && continue
  corpus=build-fuzz/corpus/$name
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds/$name" ] && seeds+=("fuzz/seeds/$name")
  [ -d tests/fixtures ] && seeds+=(tests/fixtures)
  echo "== $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=1048576 \
       -print_final_stats=1 -artifact_prefix="build-fuzz/findings/$name-" \
       "$corpus" "${seeds[@]}" 2> "build-fuzz/$name.log"; then
    echo "$name: finding, see build-fuzz/$name.log" >&2
    tail -n 40 "build-fuzz/$name.log" >&2
    status=1
  fi
  grep -E '^stat::number_of_executed_units' "build-fuzz/$name.log" || true
done
exit $status
