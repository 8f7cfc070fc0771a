#!/usr/bin/env bash
# Sets up everything, builds, and starts the reader. Without a display, the reader's first start
# runs on a virtual display instead: the guide it puts in the library is opened, a screenshot of
# the reading view is saved, its path printed, and the reader closed again.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/setup.sh" "$root/build"

if [ -n "${DISPLAY:-}" ] || [ -n "${WAYLAND_DISPLAY:-}" ]; then
  exec "$root/build/app/zebreader" "$@"
fi

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
# A program folder of its own, so that this is a first start whatever was read before.
cp "$root/build/app/zebreader" "$root/build/app/ZEBREADER.HLP" "$root/build/app/Guide.txt" "$work/"
shot="$root/build/first-start.png"
xvfb-run -a -s "-screen 0 1280x800x24" bash -c '
  "$1/zebreader" &
  reader=$!
  # The library opens with the guide in it: select it, read it, look at it, close.
  library=""
  for _ in $(seq 50); do
    library="$(xdotool search --onlyvisible --name "^Library$" 2>/dev/null | head -1)" && [ -n "$library" ] && break
    sleep 0.2
  done
  sleep 0.5
  # The keys go to the library, whichever window the X server gave the focus to first.
  xdotool windowfocus --sync "$library"
  xdotool key Home Return
  sleep 2
  import -window root "$2"
  xdotool key Escape
  wait $reader
' _ "$work" "$shot"
echo "$shot"
