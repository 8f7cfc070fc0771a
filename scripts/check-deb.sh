#!/usr/bin/env bash
# Checks the Debian package on a clean Debian 12: builds, makes the package with cpack, installs
# it with apt into a fresh bookworm root (debootstrap, as root), runs `zebtool --version` and
# `zebtool import` there and starts `zebreader` as an ordinary user on a virtual display, takes a
# screenshot and closes it with Escape, then checks that its data went to
# ~/.local/share/zebreader. Slow (it downloads a base system the first time), so it is not part
# of the test suite.
# Usage: scripts/check-deb.sh [BUILD_DIR] [WORK_DIR]
#   WORK_DIR (default /var/tmp/zebreader-check-deb) keeps the downloaded base system between
#   runs; every run unpacks it anew. The screenshot is WORK_DIR/zebreader.png.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$(cd "${1:-$root/build}" && pwd)"
work="${2:-/var/tmp/zebreader-check-deb}"
base="$work/bookworm-base.tar"
target="$work/root"

[ "$(id -u)" -eq 0 ] || { echo "check-deb: run as root (debootstrap, chroot)" >&2; exit 2; }
command -v debootstrap >/dev/null ||
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap

# The mirror this machine's apt uses, so that the check reaches what the machine reaches.
mirror="$(grep -hs '^URIs:' /etc/apt/sources.list.d/*.sources | awk '{print $2; exit}')"
[ -n "$mirror" ] || mirror="$(awk '/^deb /{print $2; exit}' /etc/apt/sources.list)"

echo "check-deb: building and packaging"
cmake --build "$build" >/dev/null
(cd "$build" && cpack -G DEB >/dev/null)
deb="$(ls -t "$build"/zebreader_*.deb | head -n 1)"
dpkg-deb --info "$deb" | sed -n '/Package:/,$p'

mkdir -p "$work"
if [ ! -f "$base" ]; then
  echo "check-deb: making a bookworm base system from $mirror"
  rm -rf "$work/base"
  debootstrap --variant=minbase bookworm "$work/base" "$mirror" >"$work/debootstrap.log"
  tar -C "$work/base" -cf "$base" .
  rm -rf "$work/base"
fi

mounted=()
cleanup() {
  local m
  for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" || true; done
}
trap cleanup EXIT

rm -rf "$target"
mkdir -p "$target"
tar -C "$target" -xf "$base"
for m in proc sys dev dev/pts; do
  case "$m" in
    proc) mount -t proc proc "$target/proc" ;;
    sys) mount -t sysfs sys "$target/sys" ;;
    *) mount --bind "/$m" "$target/$m" ;;
  esac
  mounted+=("$target/$m")
done
cp /etc/resolv.conf "$target/etc/resolv.conf"
# libunrar, which the package needs, lives in the non-free component.
echo "deb $mirror bookworm main non-free" >"$target/etc/apt/sources.list"
cp "$deb" "$target/tmp/"

in_root() { chroot "$target" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin "$@"; }

echo "check-deb: installing $(basename "$deb") with apt"
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "/tmp/$(basename "$deb")" \
  >"$work/apt.log"
# What the check itself needs: a virtual display, a screenshot, a key press.
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  xvfb xauth imagemagick xdotool >>"$work/apt.log"

echo "check-deb: zebtool --version"
version="$(in_root zebtool --version)"
echo "$version"
[ "$version" = "zebtool 1.1" ] || { echo "check-deb: unexpected version" >&2; exit 1; }

echo "check-deb: importing a text as an ordinary user with zebtool"
in_root useradd --create-home reader
in_root su reader -s /bin/sh -c 'books=~/.local/share/zebreader/Books && mkdir -p "$books" &&
  zebtool import --codepage 65001 /usr/share/common-licenses/GPL-3 "$books"'

echo "check-deb: starting zebreader as an ordinary user"
in_root su reader -s /bin/sh -c 'cd ~ && HOME=/home/reader xvfb-run -a \
  -s "-screen 0 1280x800x24" sh -c "zebreader & sleep 10; import -window root /tmp/zebreader.png;
  xdotool key Escape; sleep 2; xdotool key Escape; wait"' >"$work/run.log" 2>&1 || {
  cat "$work/run.log" >&2
  echo "check-deb: zebreader did not end well" >&2
  exit 1
}
cp "$target/tmp/zebreader.png" "$work/zebreader.png"

data="$target/home/reader/.local/share/zebreader"
[ -f "$data/Global.cfg" ] || { echo "check-deb: no Global.cfg in $data" >&2; exit 1; }
if [ -e "$target/usr/bin/Books" ] || [ -e "$target/usr/bin/Global.cfg" ]; then
  echo "check-deb: data written beside the installed program" >&2
  exit 1
fi
echo "check-deb: passed; data in ~/.local/share/zebreader; screenshot $work/zebreader.png"
