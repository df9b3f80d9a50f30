#!/usr/bin/env bash
# Runs every fuzz target in build-fuzz/ for a fixed time on a scratch copy of its seed
# corpus. Usage: scripts/fuzz-smoke.sh [SECONDS] [TARGET...]
# A crash leaves its input in build-fuzz/crashes/<target>/; copy it into fuzz/crashes/<target>/
# once fixed, so the normal build replays it for good.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-20}
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for f in fuzz/fuzz_*.cpp; do targets+=("$(basename "$f" .cpp)"); done
fi
failed=()
for target in "${targets[@]}"; do
  short=${target#fuzz_}
  work=build-fuzz/smoke/$short
  crashes=build-fuzz/crashes/$short
  rm -rf "$work" "$crashes" && mkdir -p "$work" "$crashes"
  cp fuzz/corpus/"$short"/* "$work"/ 2>/dev/null || true
  dict=()
  [ -f fuzz/dict/"$short".dict ] && dict=(-dict=fuzz/dict/"$short".dict)
  echo "== $target: ${seconds}s"
  log=build-fuzz/smoke/$short.log
  rc=0
  build-fuzz/fuzz/"$target" -max_total_time="$seconds" -print_final_stats=1 -rss_limit_mb=2048 \
    -artifact_prefix="$crashes"/ "${dict[@]}" "$work" >"$log" 2>&1 || rc=$?
  grep -E "^(stat::number_of_executed_units|stat::average_exec_per_sec|SUMMARY)" "$log" || true
  if [ $rc -ne 0 ] || [ -n "$(ls -A "$crashes" 2>/dev/null)" ]; then
    echo "$target failed (exit $rc); its log: $log"
    failed+=("$target")
  fi
done
if [ ${#failed[@]} -ne 0 ]; then
  echo "crashes found by: ${failed[*]} (inputs under build-fuzz/crashes/)"
  exit 1
fi
