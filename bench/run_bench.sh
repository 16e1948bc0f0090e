#!/usr/bin/env bash
# The whole-run benchmark: generates the full-capacity set (and a quarter of it), runs tellmar
# in it without a terminal several times, and prints the median wall time, the peak memory and,
# where valgrind is installed, the instruction count of one run.
#
#   bench/run_bench.sh [BUILD_DIR] [RUNS]       BUILD_DIR defaults to build, RUNS to 7
#
# With a build configured with -DTELLMAR_BENCH=ON it measures bench/minimal_reader too: the
# cost of only reading and parsing the same files, the yardstick for a whole run.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$top/build}" && pwd)
runs=${2:-7}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

measure() {  # measure LABEL PROGRAM: run in the current folder
  local label=$1 program=$2 times=() peak=0 start end kb
  for _ in $(seq "$runs"); do
    start=$(date +%s%N)
    /usr/bin/time -f %M -o "$work/rss" setsid "$program" </dev/null >/dev/null
    end=$(date +%s%N)
    times+=($(( (end - start) / 1000 )))
    kb=$(tail -n 1 "$work/rss")
    [ "$kb" -gt "$peak" ] && peak=$kb
  done
  local median
  median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n "$(( (runs + 1) / 2 ))p")
  local instructions="(valgrind not installed)"
  if command -v valgrind >/dev/null; then
    instructions=$(valgrind --tool=callgrind --callgrind-out-file=/dev/null "$program" </dev/null \
      2>&1 >/dev/null | sed -n 's/.*refs: *//p')
  fi
  awk -v label="$label" -v us="$median" -v kb="$peak" -v ir="$instructions" 'BEGIN {
    printf "%-28s median %6.1f ms   peak %6.1f MiB   instructions %s\n", label, us / 1000, kb / 1024, ir
  }'
}

for files in 100 400; do
  python3 "$top/bench/make_bench_data.py" "$work/$files" --files "$files" --points 2000
  cd "$work/$files"
  measure "tellmar $files x 2000" "$build/tellmar"
  [ -x "$build/minimal_reader" ] && measure "minimal_reader $files x 2000" "$build/minimal_reader"
  cd "$top"
done
