#!/usr/bin/env bash
# Renders the images of the program from their SVG sources: every *.svg here
# becomes the PNG of the same name at the size its SVG gives, and the
# application icon also becomes ../KESTRAVOL.ico (16, 32, 48 and 64 pixels: the
# window icon reads every size in the file at each start, and a 256 pixel one
# costs more to decode than all the others).
# The PNGs and the icon are kept in the repository, so the build needs no
# converter; run this after changing a drawing. Needs rsvg-convert (librsvg2-bin).
set -euo pipefail
cd "$(dirname "$0")"

for svg in *.svg; do
  rsvg-convert --format png --output "${svg%.svg}.png" "$svg"
done

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
for size in 16 32 48 64; do
  rsvg-convert --format png --width "$size" --height "$size" --output "$tmp/$size.png" KESTRAVOL.svg
done
python3 make_ico.py ../KESTRAVOL.ico "$tmp/16.png" "$tmp/32.png" "$tmp/48.png" "$tmp/64.png"
rm -f KESTRAVOL.png
