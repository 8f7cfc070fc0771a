#!/usr/bin/env bash
# The reader under real input on a virtual display (1920x1080): Page Down held 3 s, 30 wheel
# notches in 0.3 s (the seconds until the text is still after each), and 10 s with nothing
# happening (wakeups a second and share of a core). A first start with its default settings,
# reading a book made from 5 MB of generated text. Medians of --runs runs (3).
# Usage: bench/input_bench.sh [--build DIR] [--runs N] [--megabytes N]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"
runs=3
megabytes=5
while [ $# -gt 0 ]; do
  case "$1" in
    --build) build="$(cd "$2" && pwd)"; shift 2 ;;
    --runs) runs="$2"; shift 2 ;;
    --megabytes) megabytes="$2"; shift 2 ;;
    *) sed -n '6p' "${BASH_SOURCE[0]}" >&2; exit 2 ;;
  esac
done

source "$root/bench/virtual_display.sh"
start_virtual_display 1920x1080

"$build/bench/bench_text" "$work/book.txt" "$megabytes"
median() { sort -n | awk '{ v[NR] = $1 } END { if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

for run in $(seq "$runs"); do
  # A program folder of its own each time: a first start, the book given on the command line.
  program="$work/run$run"
  mkdir -p "$program/Books"
  cp "$build/app/zebreader" "$program/"
  "$build/tools/zebtool" import "$work/book.txt" "$program/Books" >/dev/null
  HOME="$work/home" "$build/bench/input_bench" -- "$program/zebreader" "$(ls "$program"/Books/*.book)" \
    2>>"$work/reader.log" | tee -a "$work/figures"
done

echo "medians of $runs runs:"
for key in page-down-still-s wheel-still-s idle-wakeups-per-s idle-cpu-pct; do
  echo "$key $(awk -v k="$key" '$1 == k { print $2 }' "$work/figures" | median)"
done
