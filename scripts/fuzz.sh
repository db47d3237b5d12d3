#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang-14 (preset fuzz) and fuzzes each one,
# starting from its seed corpus fuzz/corpus/<target>. Crash inputs go to
# build/fuzz/crashes/<target>, the output of each run to build/fuzz/<target>.log; nothing
# is written into the repository. Exits non-zero when a target finds a crash, a leak, a
# hang or a broken promise, and then shows the end of that target's log.
#
# Usage: fuzz.sh [seconds per target] [target ...]
#          explores for a while; new inputs are kept in build/fuzz/corpus/<target> and
#          used again by the next run.
#        fuzz.sh --runs <count> [target ...]
#          a fixed number of inputs from a fixed seed and a fresh corpus, so that the run
#          depends neither on the machine's speed nor on earlier runs.
set -euo pipefail
cd "$(dirname "$0")/.."

mode=seconds
amount=20
if [ "${1:-}" = "--runs" ]; then
  mode=runs
  amount="$2"
  shift 2
elif [ $# -gt 0 ]; then
  amount="$1"
  shift
fi
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(numbers catalog program replay_files capture journal)
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

status=0
for target in "${targets[@]}"; do
  crashes="build/fuzz/crashes/$target"
  log="build/fuzz/$target.log"
  if [ "$mode" = runs ]; then
    corpus="build/fuzz/corpus-fixed/$target"
    rm -rf "$corpus"
    limit=(-runs="$amount" -seed=1)
  else
    corpus="build/fuzz/corpus/$target"
    limit=(-max_total_time="$amount")
  fi
  mkdir -p "$corpus" "$crashes"
  start=$SECONDS
  if "build/fuzz/fuzz/fuzz_$target" "${limit[@]}" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$crashes/" "$corpus" "fuzz/corpus/$target" \
      >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1)
    echo "fuzz_$target: $runs Läufe in $((SECONDS - start)) s, $coverage, ohne Befund"
  else
    echo "fuzz_$target: BEFUND - siehe $log und $crashes/" >&2
    grep -v '^#[0-9]' "$log" | tail -n 25 >&2
    status=1
  fi
done
exit $status
