#!/usr/bin/env bash
# Runs every fuzz target for longer than the tests do, one after the other.
# Usage: scripts/fuzz.sh [seconds per target, default 300] [build directory, default build]
# New inputs collect in <build>/fuzz/corpus/<target>; a crash leaves its input in
# <build>/fuzz/artifacts/, to be copied into fuzz/corpus/<target>/ as a regression case.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-300}
build=${2:-build}
[ -f "$build/CMakeCache.txt" ] || cmake -S . -B "$build"
cmake --build "$build" --target fuzzers
dir=$build/fuzz
failed=()
for target in tail ini_path configuration creator; do
  mkdir -p "$dir/corpus/$target" "$dir/artifacts"
  echo "== fuzz_$target for $seconds s"
  log=$dir/fuzz_$target.log
  if "$dir/fuzz_$target" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$dir/artifacts/$target-" "$dir/corpus/$target" "fuzz/corpus/$target" \
    >"$log" 2>&1; then
    grep -E '^(Done|stat::average_exec_per_sec)' "$log" || true
  else
    tail -n 40 "$log"
    failed+=("$target")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "fuzz: failures in ${failed[*]}; inputs in $dir/artifacts/" >&2
  exit 1
fi
echo "fuzz: no failures"
