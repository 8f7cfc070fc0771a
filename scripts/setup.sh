#!/usr/bin/env bash
# Installs every Debian package the project needs (only those missing), then configures and
# builds. Usage: scripts/setup.sh [build-dir] [extra cmake arguments...]
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="${1:-$root/build}"
shift || true

packages=(
  cmake ninja-build g++ ccache
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-qpa-plugins libqt6test6
  libicu-dev zlib1g-dev libunrar-dev
  fonts-dejavu-core fonts-comic-neue
  xvfb xauth imagemagick dbus xdotool weston qt6-wayland
  desktop-file-utils appstream
  clang libclang-rt-14-dev
  arj
)

as_root() {
  if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi
}

# libunrar-dev lives in Debian's non-free component.
enable_non_free() {
  local changed=0 f
  for f in /etc/apt/sources.list.d/*.sources; do
    [ -e "$f" ] || continue
    if grep -q '^Components:' "$f" && ! grep -q '^Components:.*non-free\b' "$f"; then
      as_root sed -i -E 's/^(Components:.*)$/\1 non-free/' "$f"
      changed=1
    fi
  done
  if [ -f /etc/apt/sources.list ] && grep -qE '^deb .*debian' /etc/apt/sources.list \
     && ! grep -qE '^deb .* non-free( |$)' /etc/apt/sources.list; then
    as_root sed -i -E '/^deb .*debian/ s/$/ non-free/' /etc/apt/sources.list
    changed=1
  fi
  return $changed
}

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  enable_non_free || true
  as_root apt-get update -qq
  as_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)

cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}" "$@"
cmake --build "$build"
