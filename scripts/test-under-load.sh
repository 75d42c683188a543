#!/usr/bin/env bash
# The whole suite as scripts/test.sh runs it, while a busy loop keeps every CPU at work:
# a check, before a change lands, that no test depends on an idle machine. Given a count,
# runs the suite that many times and says how each run went.
#   scripts/test-under-load.sh [runs=1] [ctest arguments...]
set -uo pipefail
cd "$(dirname "$0")/.." || exit 1
runs=${1:-1}
shift $(($# > 0))
scripts/setup.sh >/dev/null && scripts/build.sh >/dev/null || exit 1
busy=()
trap 'kill "${busy[@]}" 2>/dev/null' EXIT
for _ in $(seq "$(nproc)"); do
  sh -c 'while :; do :; done' &
  busy+=($!)
done
failed=0
for ((run = 1; run <= runs; run++)); do
  start=$SECONDS
  ctest --test-dir build --output-on-failure -j"$((2 * $(nproc)))" "$@" >build/load-run-$run.log 2>&1
  status=$?
  echo "run $run of $runs under load: $([ $status = 0 ] && echo passed || echo FAILED) in" \
    "$((SECONDS - start)) s$(grep -E '^ +[0-9]+ - ' build/load-run-$run.log | tr -s ' ' | tr '\n' ',')"
  [ $status = 0 ] || failed=1
done
[ $failed = 0 ] || echo "see build/load-run-*.log"
exit $failed
