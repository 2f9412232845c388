#!/bin/sh
# Renders the application icon pictavo.svg into the PNG sizes of the hicolor
# theme (pictavo-16.png ... pictavo-256.png, kept in the repository so that a
# build needs no SVG renderer). Run after changing the SVG; needs rsvg-convert
# (Debian package librsvg2-bin).
set -eu
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128 256; do
  rsvg-convert -w "$size" -h "$size" pictavo.svg -o "pictavo-$size.png"
done
