#!/usr/bin/env bash
# Takes the README's pictures of the reader's windows (options panel, bookmarks, go-to-percent,
# about box, help, splash) on a virtual display of 1280 x 800. Usage: scripts/screenshots.sh [OUTFOLDER]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$(realpath -m "${1:-$root/docs}")"
build="$root/build"
[ -x "$build/tools/zebshots" ] || bash "$root/scripts/setup.sh" "$build"
cmake --build "$build" --target zebshots >/dev/null
xvfb-run -a -s "-screen 0 1280x800x24" "$build/tools/zebshots" "$out" \
  "$root/../shared/fixtures/texts/large.txt"
