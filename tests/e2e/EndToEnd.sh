#!/usr/bin/env bash
# The whole program as a user meets it, on a virtual display, through real key presses and mouse
# clicks (xdotool): a first start shows the library with the guide; a text and a ZIP archive are
# imported through the file dialog and the preview; a book is read, paged, auto-scrolled and
# bookmarked; Escape closes; a second start comes back to the same place, with the bookmark and
# the settings. Screenshots must show drawn text where text belongs.
# Usage: EndToEnd.sh ZEBREADER_FOLDER ZEBTOOL FIXTURES   (run under xvfb-run, 1280x800x24)
set -euo pipefail

program="$1" zebtool="$2" fixtures="$3"
work="$(mktemp -d)"
# E2E_SHOTS=FOLDER keeps the screenshots there.
trap 'pkill -f "$work/zebreader" 2>/dev/null || true
      [ -n "${E2E_SHOTS:-}" ] && mkdir -p "$E2E_SHOTS" && cp "$work"/*.png "$E2E_SHOTS"/
      rm -rf "$work"' EXIT
cp "$program/zebreader" "$program/ZEBREADER.HLP" "$program/Guide.txt" "$work/"
for _ in 1 2 3 4 5 6 7 8; do cat "$fixtures/texts/prose.txt"; done > "$work/story.txt"
mkdir "$work/zip" && cp "$fixtures/texts/verse.txt" "$work/zip/"
(cd "$work/zip" && cmake -E tar cf ../poems.zip --format=zip verse.txt)

fail() { echo "FAILED: $*" >&2; exit 1; }
step() { echo "-- $*"; }
shot() { import -window root "$work/$1.png"; }
# How much a region varies: 0 for an even fill, more where text is drawn.
ink() { convert "$work/$1.png" -crop "$2" +repage -colorspace Gray -format "%[fx:standard_deviation]" info:; }
inked() { awk -v v="$(ink "$1" "$2")" 'BEGIN { exit !(v > 0.02) }'; }
has_text() { inked "$1" "$2" || fail "$3 (variation $(ink "$1" "$2"))"; }
# Takes the picture until the region shows text, for a while: a slow machine may still draw.
shows_text() {
  for _ in $(seq 20); do shot "$1"; inked "$1" "$2" && return; sleep 0.3; done
  fail "$3 (variation $(ink "$1" "$2"))"
}
differ() { [ "$(compare -metric AE -crop "$3" "$work/$1.png" "$work/$2.png" null: 2>&1 || true)" != 0 ] || fail "$4"; }
same() {
  local d; d="$(compare -metric AE "$work/$1.png" "$work/$2.png" null: 2>&1 || true)"
  [ "$d" = 0 ] || fail "$3 ($d pixels differ)"
}
# Waits for a window whose name matches, visible.
wait_for() {
  for _ in $(seq 100); do xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 && return; sleep 0.1; done
  fail "no window \"$1\""
}
wait_gone() {
  for _ in $(seq 100); do xdotool search --onlyvisible --name "$1" >/dev/null 2>&1 || return 0; sleep 0.1; done
  fail "window \"$1\" stays"
}
click() { xdotool mousemove "$1" "$2" click 1; sleep 0.4; }
key() { xdotool key "$@"; sleep 0.4; }
# The view below the toolbar, and the toolbar's buttons (a first start is full screen).
view=1280x760+0+40
reader_start() { "$work/zebreader" >>"$work/log" 2>&1 & }
books() { find "$work/Books" -name '*.book' | wc -l; }
wait_books() {
  for _ in $(seq 100); do [ "$(books)" -ge "$1" ] && return; sleep 0.1; done
  fail "$1 books expected, $(books) there"
}

step "first start: the library holds the guide"
reader_start
wait_for "^Library$"
shows_text library 1280x150+0+33 "the library shows no guide"
[ -f "$work/Books/00000000.book" ] || fail "no guide book"

step "import a text and an archive through the file dialog and the preview"
click 16 16                                   # the library's "Import" button
sleep 1
xdotool type --delay 20 "\"$work/story.txt\" \"$work/poems.zip\""
key Return
for n in 1 2; do                              # the text, then the archive's one text
  wait_for "^Book Preview$"
  sleep 0.5
  if [ "$n" = 1 ]; then shows_text preview 1280x700+0+22 "the preview shows no text"; fi
  click 1227 764                              # "Import"
  wait_books $((n + 1))
done
wait_gone "^Book Preview$"
sleep 0.5

step "read the text: page down, auto-scroll, a bookmark, a setting"
key Home Down Return                          # the library lists Guide, story, verse
wait_gone "^Library$"
shows_text opened "$view" "the book shows no text"
sleep 0.5
shot opened
key Next Next Next
shot paged
differ opened paged "$view" "page down moved nothing"
key Insert
sleep 2
key Insert
shot scrolled
differ paged scrolled "$view" "auto-scroll moved nothing"
click 140 16                                  # "Add Bookmark"
key KP_Add KP_Add                             # faster auto-scroll: 52 lines a second
key KP_Multiply                               # the options panel, to compare after the restart
sleep 0.5
shot before
key KP_Multiply
key Escape
for _ in $(seq 50); do pgrep -f "$work/zebreader" >/dev/null || break; sleep 0.1; done
pgrep -f "$work/zebreader" >/dev/null && fail "Escape did not close the reader"

[ -f "$work/Global.cfg" ] || fail "no Global.cfg after closing"
info="$("$zebtool" info "$work/Books/00000001.book")"
grep -q "1 bookmarks" <<<"$info" || fail "the bookmark was not saved: $info"

step "start again: the same place, the bookmark and the settings"
reader_start
wait_for "ZEB Book Reader Professional 1.1$"
sleep 1.5
key KP_Multiply
# The toolbar's clock may have moved on; the page and the options panel must not. A slow
# machine may still be drawing: the picture is taken again for a while until it matches.
view_of() { convert "$work/$1.png" -crop 1280x760+0+40 +repage "$work/$1-view.png"; }
view_of before
for _ in $(seq 20); do
  sleep 0.5
  shot after
  view_of after
  [ "$(compare -metric AE "$work/before-view.png" "$work/after-view.png" null: 2>&1 || true)" = 0 ] && break
done
same before-view after-view "the second start shows another place or other settings"
key KP_Multiply
click 171 16                                  # "Bookmarks"
wait_for "^Bookmarks$"
sleep 0.5
shot bookmarks
eval "$(xdotool search --onlyvisible --name "^Bookmarks$" getwindowgeometry --shell | head -5)"
# Below its toolbar (33) and the list's header: one row, the bookmark's, and nothing after it.
has_text bookmarks "${WIDTH}x12+${X}+$((Y + 53))" "the bookmark is not listed"
flat=$(ink bookmarks "${WIDTH}x12+${X}+$((Y + 68))")
awk -v v="$flat" 'BEGIN { exit !(v < 0.01) }' || fail "more than one bookmark is listed ($flat)"
key Escape
wait_gone "^Bookmarks$"
key Escape
echo "passed"
