#!/usr/bin/env bash
# Runs every hostile input through configurator-cli and reports, per run, the exit code,
# the wall time and the peak memory (resident set). Target: under 2 s and 200 MB each.
# Not a test: figures depend on the machine. Exits 1 when a run misses the target.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
scripts/deps.sh
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" -j "$(nproc)" --target configurator-cli cf_hostile_inputs >/dev/null
cli=$PWD/$build/bin/configurator-cli
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
"$build/test-programs/cf_hostile_inputs" "$work/inputs" > "$work/list"

max_seconds=2
max_kb=$((200 * 1024))
status=0
printf '%-28s %-8s %4s %8s %8s\n' input command exit seconds "peak MB"
run() { # name command args...
  local name=$1 command=$2
  shift 2
  /usr/bin/time -f '%e %M' -o "$work/time" "$cli" "$command" "$@" >/dev/null 2>&1 && code=0 || code=$?
  read -r seconds kb < <(tail -n 1 "$work/time")
  local mark=""
  if awk -v s="$seconds" -v m="$max_seconds" 'BEGIN { exit !(s >= m) }' || [ "$kb" -ge "$max_kb" ]; then
    mark="  over target"
    status=1
  fi
  printf '%-28s %-8s %4s %8s %8.1f%s\n' "$name" "$command" "$code" "$seconds" "$(awk -v k="$kb" 'BEGIN { print k / 1024 }')" "$mark"
}
while IFS=$'\t' read -r kind name path; do
  if [ "$kind" = language ]; then
    run "$name" texts --language-file "$path"
  else
    run "$name" check "$path"
    run "$name" compile "$path" -o "$work/bank.bin"
    run "$name" eds "$path" "$work/out.eds"
    run "$name" gsd "$path" "$work/out.gsd"
  fi
done < "$work/list"
exit $status
