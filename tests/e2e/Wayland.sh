#!/usr/bin/env bash
# The reader under a real Wayland compositor (Weston's headless back end), as GNOME and KDE run
# Qt programs: a first start, full screen, must show a page of text; a termination signal must
# close it the orderly way, leaving "Global.cfg" naming the book; a second start must show the
# page again. Then the window tests that scroll, auto-scroll and close run on the same
# compositor.
# Usage: Wayland.sh ZEBREADER_FOLDER ZEBTOOL FIXTURES APP_TESTS
set -euo pipefail

program="$1" zebtool="$2" fixtures="$3" app_tests="$4"
work="$(mktemp -d)"
weston_pid=""
trap 'pkill -f "$work/zebreader" 2>/dev/null || true
      [ -n "$weston_pid" ] && kill "$weston_pid" 2>/dev/null
      [ -n "${E2E_SHOTS:-}" ] && mkdir -p "$E2E_SHOTS" && cp "$work"/*.png "$E2E_SHOTS"/ 2>/dev/null
      rm -rf "$work"' EXIT

fail() { echo "FAILED: $*" >&2; exit 1; }
step() { echo "-- $*"; }

export XDG_RUNTIME_DIR="$work/runtime"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export WAYLAND_DISPLAY=zeb-wayland-test
# --debug lets weston-screenshooter take pictures.
weston --backend=headless-backend.so --use-pixman --debug --width=1280 --height=800 \
       --socket="$WAYLAND_DISPLAY" --idle-time=0 >"$work/weston.log" 2>&1 &
weston_pid=$!
for _ in $(seq 100); do [ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] && break; sleep 0.1; done
[ -S "$XDG_RUNTIME_DIR/$WAYLAND_DISPLAY" ] || fail "weston did not start: $(cat "$work/weston.log")"
export QT_QPA_PLATFORM=wayland
# The headless compositor has no seat; Qt's Wayland input method would look for one.
export QT_IM_MODULE=none
unset DISPLAY

cp "$program/zebreader" "$program/ZEBREADER.HLP" "$work/"
mkdir "$work/Books"
for _ in 1 2 3 4 5 6 7 8; do cat "$fixtures/texts/prose.txt"; done > "$work/story.txt"
"$zebtool" import --codepage 65001 "$work/story.txt" "$work/Books" >/dev/null
book="$(ls "$work"/Books/*.book)"

# A picture of the whole output; weston-screenshooter names it by the time, in its folder.
shot() {
  rm -f "$work"/wayland-screenshot-*.png
  (cd "$work" && weston-screenshooter) || fail "no screenshot"
  mv "$work"/wayland-screenshot-*.png "$work/$1.png"
}
# How much a region varies: 0 for an even fill, more where text is drawn.
ink() { convert "$work/$1.png" -crop "$2" +repage -colorspace Gray -format "%[fx:standard_deviation]" info:; }
inked() { awk -v v="$(ink "$1" "$2")" 'BEGIN { exit !(v > 0.02) }'; }
# Takes pictures until the page shows text all down the view, for a while: a slow machine may
# still draw. The view's upper and lower halves must both hold text (a page shown whole).
shows_page() {
  for _ in $(seq 30); do
    shot "$1"
    inked "$1" 1280x300+0+100 && inked "$1" 1280x300+0+450 && return
    sleep 0.3
  done
  fail "$2 (variation $(ink "$1" 1280x300+0+100) and $(ink "$1" 1280x300+0+450))"
}

step "first start with a book, full screen: the page shows"
"$work/zebreader" "$book" >>"$work/log" 2>&1 &
reader=$!
shows_page first "the first start shows no page"

step "a termination signal closes the reader the orderly way"
kill -TERM "$reader"
for _ in $(seq 100); do kill -0 "$reader" 2>/dev/null || break; sleep 0.1; done
kill -0 "$reader" 2>/dev/null && fail "the reader did not end on SIGTERM"
wait "$reader" || true
[ -f "$work/Global.cfg" ] || fail "no Global.cfg"
grep -aq "$book" "$work/Global.cfg" || fail "Global.cfg does not name the book"

step "a second start comes back to the book"
"$work/zebreader" >>"$work/log" 2>&1 &
reader=$!
shows_page second "the second start shows no page"
kill -TERM "$reader"
wait "$reader" || true

step "the window tests that scroll, auto-scroll and close, on the compositor"
"$app_tests" --gtest_brief=1 \
  --gtest_filter='InputPacingTest.*:SessionEndTest.*:FindBarTest.*:ReaderWindowTest.AutoScroll*:ReaderWindowTest.Closing*:ReaderWindowTest.Resizing*' \
  || fail "window tests on Wayland"
echo "all Wayland steps passed"
