#!/usr/bin/env bash
# Builds the libFuzzer targets of fuzz/ with clang-14 (preset fuzz) and fuzzes each one
# for a while, starting from its seed corpus fuzz/corpus/<target>. New inputs go to
# build/fuzz/corpus/<target>, crash inputs to build/fuzz/crashes/<target>, the output of
# each run to build/fuzz/<target>.log; nothing is written into the repository.
# Exits non-zero when a target finds a crash, a leak, a hang or a broken promise.
# Usage: fuzz.sh [seconds per target] [target ...]
set -euo pipefail
cd "$(dirname "$0")/.."

seconds="${1:-20}"
shift || true
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  targets=(numbers catalog program replay_files capture result_file)
fi

cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

status=0
for target in "${targets[@]}"; do
  corpus="build/fuzz/corpus/$target"
  crashes="build/fuzz/crashes/$target"
  log="build/fuzz/$target.log"
  mkdir -p "$corpus" "$crashes"
  if "build/fuzz/fuzz/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
      -print_final_stats=1 -artifact_prefix="$crashes/" "$corpus" "fuzz/corpus/$target" \
      >"$log" 2>&1; then
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
    coverage=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1)
    echo "fuzz_$target: $runs Läufe in ${seconds} s, $coverage, ohne Befund"
  else
    echo "fuzz_$target: BEFUND - siehe $log und $crashes/" >&2
    status=1
  fi
done
exit $status
