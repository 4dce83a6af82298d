#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for the given number of
# seconds (default 5), seeded from the test fixtures. Findings land in <build>/findings;
# the build folder is build-fuzz unless CF_FUZZ_BUILD names another (a long run beside the tests).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-5}
only=${2:-}
out=${CF_FUZZ_BUILD:-build-fuzz}
CC=clang CXX=clang++ cmake -S . -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCF_FUZZ=ON -DCF_BUILD_TESTS=OFF -DCF_BENCHMARKS=OFF >/dev/null
cmake --build "$out" -j "$(nproc)"
mkdir -p "$out/findings"
status=0
for target in "$out"/fuzz/*_fuzz; do
  name=$(basename "$target")
  [ -n "$only" ] && [ "$name" != "$only" ] && continue
  corpus=$out/corpus/$name
  mkdir -p "$corpus"
  seeds=()
  [ -d "fuzz/seeds/$name" ] && seeds+=("fuzz/seeds/$name")
  [ -d tests/fixtures ] && seeds+=(tests/fixtures)
  echo "== $name for ${seconds}s"
  if ! "$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len=1048576 \
       -print_final_stats=1 -artifact_prefix="$out/findings/$name-" \
       "$corpus" "${seeds[@]}" 2> "$out/$name.log"; then
    echo "$name: finding, see $out/$name.log" >&2
    tail -n 40 "$out/$name.log" >&2
    status=1
  fi
  grep -E '^stat::number_of_executed_units' "$out/$name.log" || true
done
exit $status
