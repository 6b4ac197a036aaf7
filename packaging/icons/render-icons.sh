#!/usr/bin/env bash
# Renders the menu sizes of the icon from its SVG. The PNGs are committed, so
# building needs no converter; run this (needs librsvg2-bin) after editing the SVG.
set -euo pipefail
cd "$(dirname "$0")/hicolor"
for size in 16 24 32 48 64 128 256; do
  mkdir -p "${size}x${size}/apps"
  rsvg-convert -w "$size" -h "$size" scalable/apps/quorvel-client.svg \
    -o "${size}x${size}/apps/quorvel-client.png"
done
