#!/usr/bin/env bash
# zebreader against another reader on the same generated text, on a virtual display: the wall
# time from the start of the process to the first page of text seen on the screen, and the
# reader's peak resident memory (VmHWM) then and after a few page downs; medians of a few runs.
# zebreader reads the book that `zebtool import` made from the text (the import is timed on its
# own); the other reader (FBReader) opens the text itself, once with an empty configuration
# (first open) and once with the one its first open left (reopen). The in-process figure of
# reader_bench --start is given as well.
#
# Usage: bench/compare_reader.sh [--install] [--build DIR] [--runs N] [--screen WxH]
#                                [--megabytes N] [--pages N] [--max-load L] [--keep DIR]
#   --install     install what is missing of fbreader, xdotool, xvfb and time with apt-get
#                 (for the measurement only: the project does not depend on them)
#   --max-load L  wait (up to 15 minutes) until the 1-minute load average is at most L (1.5)
#   --keep DIR    keep the screenshots of every run in DIR
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build"
runs=5
screen=1920x1080
megabytes=50
pages=5
max_load=1.5
install=0
keep=""

while [ $# -gt 0 ]; do
  case "$1" in
    --install) install=1; shift ;;
    --build) build="$(cd "$2" && pwd)"; shift 2 ;;
    --runs) runs="$2"; shift 2 ;;
    --screen) screen="$2"; shift 2 ;;
    --megabytes) megabytes="$2"; shift 2 ;;
    --pages) pages="$2"; shift 2 ;;
    --max-load) max_load="$2"; shift 2 ;;
    --keep) keep="$(mkdir -p "$2" && cd "$2" && pwd)"; shift 2 ;;
    *) sed -n '10,15p' "${BASH_SOURCE[0]}" >&2; exit 2 ;;
  esac
done

if [ "$install" = 1 ]; then
  missing=()
  for p in fbreader xdotool xvfb time; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
  done
  if [ ${#missing[@]} -gt 0 ]; then
    as_root=(); [ "$(id -u)" -eq 0 ] || as_root=(sudo)
    "${as_root[@]}" apt-get update -qq
    "${as_root[@]}" env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
  fi
fi

for tool in Xvfb xdotool /usr/bin/time; do
  command -v "$tool" >/dev/null || { echo "compare_reader: $tool is missing (try --install)" >&2; exit 1; }
done
for program in bench/bench_text bench/first_page_watch bench/reader_bench app/zebreader tools/zebtool; do
  [ -x "$build/$program" ] || { echo "compare_reader: build $build/$program first" >&2; exit 1; }
done
have_fbreader=0
command -v fbreader >/dev/null && have_fbreader=1

source "$root/bench/virtual_display.sh"
start_virtual_display "$screen"

load() { cut -d' ' -f1 /proc/loadavg; }

# Waits until the machine is quiet enough to measure; says the load it measured at.
wait_for_quiet() {
  local waited=0
  while awk -v l="$(load)" -v m="$max_load" 'BEGIN { exit !(l > m) }' && [ $waited -lt 900 ]; do
    echo "compare_reader: load $(load) above $max_load, waiting" >&2
    sleep 30
    waited=$((waited + 30))
  done
  load
}

median() { sort -n | awk '{ v[NR] = $1 } END { if (NR == 0) print "-"; else if (NR % 2) print v[(NR + 1) / 2]; else print (v[NR / 2] + v[NR / 2 + 1]) / 2 }'; }

# One watched start: NAME RUN COMMAND...; appends "name key value" lines to $work/figures.
watch_start() {
  local name="$1" run="$2"; shift 2
  local save=()
  [ -n "$keep" ] && save=(--save "$keep/$name-$run")
  if "$build/bench/first_page_watch" --pages "$pages" "${save[@]}" -- "$@" >"$work/out" 2>>"$work/readers.log"; then
    awk -v n="$name" '{ print n, $1, $2 }' "$work/out" >>"$work/figures"
  else
    echo "compare_reader: $name run $run saw no page of text" >&2
  fi
}

figure() { awk -v n="$1" -v k="$2" '$1 == n && $2 == k { print $3 }' "$work/figures" | median; }
mib() { awk -v k="$1" 'BEGIN { if (k == "-") print "-"; else printf "%.1f", k / 1024 }'; }

echo "generating ${megabytes} MB of text ..." >&2
text="$work/book.txt"
"$build/bench/bench_text" "$text" "$megabytes"

# The import, each time into an empty books folder.
import_load="$(wait_for_quiet)"
for run in $(seq "$runs"); do
  rm -rf "$work/import" && mkdir -p "$work/import"
  start=$(date +%s%N)
  /usr/bin/time -f "%M" -o "$work/time" "$build/tools/zebtool" import "$text" "$work/import" >/dev/null
  echo "import ms $(( ($(date +%s%N) - start) / 1000000 ))" >>"$work/figures"
  echo "import peak $(cat "$work/time")" >>"$work/figures"
done

# zebreader runs from a folder of its own (its Books, Tmp and Global.cfg live beside it), as a
# first start every time: no Global.cfg, the book given on the command line.
program="$work/zebreader"
mkdir -p "$program/Books" "$work/home-zeb"
cp "$build/app/zebreader" "$program/"
"$build/tools/zebtool" import "$text" "$program/Books" >/dev/null
book="$(ls "$program"/Books/*.book)"

# FBReader's window takes its place and size from any .xml file in ~/.FBReader; without a
# window manager it would otherwise open at 800 x 600.
fbreader_home() {
  mkdir -p "$1/.FBReader"
  cat >"$1/.FBReader/ui.xml" <<EOF
<?xml version="1.0" encoding="UTF-8"?>
<config>
  <group name="Options">
    <option name="XPosition" value="0"/>
    <option name="YPosition" value="0"/>
    <option name="Width" value="${screen%x*}"/>
    <option name="Height" value="${screen#*x}"/>
  </group>
</config>
EOF
}

readers=(zebreader)
if [ "$have_fbreader" = 1 ]; then
  readers+=(fbreader-first fbreader-reopen)
  # The library and state that one open leaves, copied afresh for every reopen.
  fbreader_home "$work/home-fb-opened"
  HOME="$work/home-fb-opened" "$build/bench/first_page_watch" --pages 0 -- fbreader "$text" \
    >/dev/null 2>>"$work/readers.log" || true
else
  echo "compare_reader: fbreader is not installed (--install installs it); its rows are left out" >&2
fi

start_reader() {
  case "$1" in
    zebreader)
      rm -f "$program/Global.cfg"
      HOME="$work/home-zeb" watch_start zebreader "$2" "$program/zebreader" "$book" ;;
    fbreader-first)
      rm -rf "$work/home-fb" && fbreader_home "$work/home-fb"
      HOME="$work/home-fb" watch_start fbreader-first "$2" fbreader "$text" ;;
    fbreader-reopen)
      rm -rf "$work/home-fb" && cp -a "$work/home-fb-opened" "$work/home-fb"
      HOME="$work/home-fb" watch_start fbreader-reopen "$2" fbreader "$text" ;;
  esac
}

# The readers take turns, so that other work on the machine disturbs them alike.
loads=()
for run in $(seq "$runs"); do
  loads+=("$(wait_for_quiet)")
  for reader in "${readers[@]}"; do start_reader "$reader" "$run"; done
done

bench_load="$(wait_for_quiet)"
"$build/bench/reader_bench" --start >"$work/reader_bench" 2>>"$work/readers.log"

size=$(stat -c %s "$text")
echo "text: $size bytes of generated UTF-8 prose; display $screen; medians of $runs runs;"
echo "$pages page downs, 0.4 s apart; a screen picture every 10 ms, $(awk '$2 == "picture-ms" { print $3 }' "$work/figures" | median) ms to take and look at"
awk '$2 == "pages-turned" && $3 == 0 { print "compare_reader: in a run of " $1 " the page downs changed nothing" }' "$work/figures" >&2
echo
echo "zebtool import: $(figure import ms) ms, peak $(mib "$(figure import peak)") MiB (load $import_load)"
echo
echo "load at the start of each round: ${loads[*]}"
printf "%-44s %8s %12s %12s  %s\n" "start to first page of text" "ms" "MiB at page" "MiB after" "every run, ms"
row() { printf "%-44s %8s %12s %12s  %s\n" "$1" "$(figure "$2" first-page-ms)" \
          "$(mib "$(figure "$2" peak-kib-first)")" "$(mib "$(figure "$2" peak-kib-pages)")" \
          "$(awk -v n="$2" '$1 == n && $2 == "first-page-ms" { printf "%s ", $3 }' "$work/figures")"; }
row "zebreader, the imported book" zebreader
if [ "$have_fbreader" = 1 ]; then
  row "fbreader $(dpkg-query -W -f='${Version}' fbreader), the text, first open" fbreader-first
  row "fbreader, the text, reopen" fbreader-reopen
  for other in fbreader-first fbreader-reopen; do
    awk -v o="$(figure $other first-page-ms)" -v z="$(figure zebreader first-page-ms)" -v n="$other" \
      'BEGIN { if (o != "-" && z != "-" && z > 0) printf "%s / zebreader: %.2fx the time to the first page\n", n, o / z }'
  done
fi
echo
echo "reader_bench --start (in-process, 12 points, 4x4 antialiasing; load $bench_load):"
sed 's/^/  /' "$work/reader_bench"
