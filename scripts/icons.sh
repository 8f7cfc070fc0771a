#!/usr/bin/env bash
# Makes the PNG sizes of the program's icon from its SVG (needs rsvg-convert, Debian's
# librsvg2-bin). The PNGs are committed, so a build needs no SVG renderer.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
id=io.github.zebreader.ZEBReader
svg="$root/resources/desktop/$id.svg"
for size in 16 32 48 64 128 256; do
  out="$root/resources/desktop/icons/${size}x${size}/$id.png"
  mkdir -p "$(dirname "$out")"
  rsvg-convert -w "$size" -h "$size" "$svg" -o "$out"
done
