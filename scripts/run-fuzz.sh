#!/usr/bin/env bash
# Runs each fuzz target over its checked-in corpus, then for SECONDS more,
# and prints how many inputs each one ran. New inputs go to a scratch copy of
# the corpus, so the checked-in seeds stay as they are.
set -euo pipefail
build=$1
seconds=$2
shift 2
root=$(cd "$(dirname "$0")/.." && pwd)
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
for target in "$@"; do
  seeds="$root/fuzz/corpus/$target"
  mkdir -p "$scratch/$target"
  log="$scratch/$target.log"
  if ! QT_QPA_PLATFORM=offscreen "$root/$build/fuzz/$target" -max_total_time="$seconds" -timeout=10 \
      -rss_limit_mb=2048 -print_final_stats=1 -artifact_prefix="$scratch/" \
      "$scratch/$target" "$seeds" > "$log" 2>&1; then
    tail -40 "$log"
    echo "fuzz: $target FAILED (input kept as $(ls "$scratch"/crash-* "$scratch"/leak-* 2>/dev/null | head -1))"
    for artifact in "$scratch"/crash-* "$scratch"/leak-* "$scratch"/timeout-*; do
      [ -f "$artifact" ] && { echo "input (hex):"; od -An -tx1 "$artifact" | head -20; }
    done
    exit 1
  fi
  runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
  echo "fuzz: $target: $runs inputs in ${seconds} s, no finding"
done
