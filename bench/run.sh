#!/bin/sh
# Builds the 1x, 10x and 100x program folders (only when the content or the data builder has
# changed since they were built), runs the window benchmarks on each size in a process of its
# own, measures memory in fresh processes, and reports the sizes side by side.
#   bench/run.sh [BUILD]     (make bench runs it; BENCH_REPETITIONS, BENCH_SIZES change the run)
set -eu

build=${1:-build}
sizes=${BENCH_SIZES:-"1 10 100"}
repetitions=${BENCH_REPETITIONS:-5}
memory_runs=${BENCH_MEMORY_RUNS:-3}
out=$build/bench
databuild=$build/tools/databuild/tavirel-databuild
mkdir -p "$out"

# What the folders are built from: every content file and the builder itself.
stamp=$( (find data -type f -print0 | sort -z | xargs -0 sha1sum; sha1sum "$databuild") |
  sha1sum | cut -d' ' -f1)

for n in $sizes; do
  dir=$out/x$n
  if [ "$(cat "$dir/.stamp" 2>/dev/null)" = "$stamp" ]; then
    echo "x$n: up to date"
    continue
  fi
  echo "x$n: building the program folder (content $n times)"
  # Generated content only: these folders hold no one's own data.
  rm -rf "$dir.new"
  mkdir -p "$dir.new"
  start=$(date +%s)
  "$databuild" --data data --out "$dir.new" --scale "$n"
  if [ -f "$build/program/velm.chm" ]; then cp "$build/program/velm.chm" "$dir.new/"; fi
  echo "$stamp" > "$dir.new/.stamp"
  rm -rf "$dir"
  mv "$dir.new" "$dir"
  echo "x$n: built in $(( $(date +%s) - start )) s"
done

export QT_QPA_PLATFORM=offscreen
for n in $sizes; do
  echo "x$n: benchmarks ($repetitions repetitions)"
  "$build/bench/bench_windows" --folder "$out/x$n" \
    --benchmark_repetitions="$repetitions" --benchmark_report_aggregates_only=true \
    --benchmark_out="$out/results-x$n.json" --benchmark_out_format=json
  rm -f "$out"/memory-x"$n"-*.json
  i=1
  while [ "$i" -le "$memory_runs" ]; do
    "$build/bench/bench_windows" --folder "$out/x$n" --memory-out "$out/memory-x$n-$i.json"
    i=$((i + 1))
  done
done

# shellcheck disable=SC2086 # the sizes are separate arguments
"$build/bench/bench_report" "$out" $sizes
