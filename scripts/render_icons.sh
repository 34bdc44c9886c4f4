#!/usr/bin/env bash
# Renders the drawings of data/icons to the PNG files kept beside them: the
# application icon at the sizes of the hicolor theme, and the tool-button
# images at their size and at twice it (@2x, for high-density screens).
# Run it after changing a drawing; the build uses the PNG files as they are
# and needs no SVG renderer. Needs rsvg-convert (Debian: librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")/../data/icons"
command -v rsvg-convert >/dev/null || { echo "rsvg-convert is missing: apt-get install librsvg2-bin" >&2; exit 1; }
for size in 16 32 48 64 128 256; do
  mkdir -p "hicolor/$size"
  rsvg-convert -w "$size" -h "$size" tomeling.svg -o "hicolor/$size/tomeling.png"
done
for svg in toolbar/*.svg; do
  base=${svg%.svg}
  size=${base##*-}
  rsvg-convert -w "$size" -h "$size" "$svg" -o "$base.png"
  rsvg-convert -w $((size * 2)) -h $((size * 2)) "$svg" -o "$base@2x.png"
done
