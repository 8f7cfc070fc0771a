#!/usr/bin/env bash
# Sets up everything, builds, and starts the reader (on a virtual display when none is set).
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
bash "$root/scripts/setup.sh" "$root/build"

if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  exec xvfb-run -a "$root/build/app/zebreader" "$@"
fi
exec "$root/build/app/zebreader" "$@"
