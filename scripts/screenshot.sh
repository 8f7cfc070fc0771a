#!/usr/bin/env bash
# Saves a screenshot of the reading view: a sample text imported into a book, read on a virtual
# display of 1280 x 800. Usage: scripts/screenshot.sh [OUT.png] [TEXT]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$(realpath -m "${1:-$root/docs/reading.png}")"
text="${2:-$root/../shared/fixtures/texts/prose.txt}"
build="$root/build"
[ -x "$build/app/zebreader" ] || bash "$root/scripts/setup.sh" "$build"

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# The program keeps its books and settings beside itself, so a copy runs in a folder of its own.
cp "$build/app/zebreader" "$build/app/ZEBREADER.HLP" "$work/"
mkdir -p "$work/Books"
"$build/tools/zebtool" import --codepage 65001 "$text" "$work/Books" >/dev/null
mkdir -p "$(dirname "$out")"

xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  "$1/zebreader" "$1/Books/00000000.book" &
  reader=$!
  sleep 3
  import -window root "$2"
  kill $reader
' _ "$work" "$out"
echo "$out"
