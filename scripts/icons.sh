#!/usr/bin/env bash
# Draws the PNG sizes of the application icon and the document icon from their SVG sources in
# share/icons/hicolor/scalable (rsvg-convert, Debian package librsvg2-bin). The PNGs are kept in the
# repository, so a build never needs this; run it after changing an SVG.
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/common.sh
ensure_packages librsvg2-bin

hicolor=share/icons/hicolor
for size in 16 24 32 48 64 128 256; do
  for svg in "$hicolor"/scalable/apps/*.svg "$hicolor"/scalable/mimetypes/*.svg; do
    kind="$(basename "$(dirname "$svg")")"
    out="$hicolor/${size}x${size}/$kind/$(basename "$svg" .svg).png"
    mkdir -p "$(dirname "$out")"
    rsvg-convert --width "$size" --height "$size" --output "$out" "$svg"
  done
done
echo "icons drawn in $hicolor"
