#!/usr/bin/env bash
# Renders the PNG sizes of the emblem from dist/icons/org.tarvic.Tarvic.svg (run after redrawing it;
# the PNGs are kept in the repository, so a build needs no renderer).
source "$(dirname "${BASH_SOURCE[0]}")/common.sh"
install_packages librsvg2-bin
for size in 16 24 32 48 64 128 256 512; do
  rsvg-convert -w "$size" -h "$size" "$TOP/dist/icons/org.tarvic.Tarvic.svg" -o "$TOP/dist/icons/$size.png"
done
echo "== PNG sizes written to $TOP/dist/icons"
