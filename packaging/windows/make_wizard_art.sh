#!/usr/bin/env bash
# Draws the installer's wizard picture, the tall image on the left of its welcome and finish pages,
# into packaging/windows/wizard/: the program's icon, rendered from app/icons/program.svg at each
# size, above what it does (FE -> 254), on the icon's navy. One picture for each common display
# scale, so that the installer shows one drawn for the screen's pixel density, at its own size:
# each is as wide as the page's place for it at that scale (109 x 193 dialog units of the 8-point
# dialog font, as Wine lays them out) and a tenth taller, so that a place a little taller still
# fills; the page crops the rest. 8-bit BMPs, the format the installer's pages read.
# Run it after changing the icon; the pictures are committed, so a build never needs ImageMagick
# or rsvg-convert.
set -euo pipefail
cd "$(dirname "$0")/../.."

out=packaging/windows/wizard
mkdir -p "$out"
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT

# scale in %, and the picture's place in pixels at that scale
while read -r percent width height; do
    scaled() { echo $((($1 * percent + 50) / 100)); }
    rsvg-convert --width "$(scaled 96)" --height "$(scaled 96)" app/icons/program.svg --output "$tmp/icon.png"
    convert -size "${width}x$((height * 11 / 10))" xc:'#000080' \
        "$tmp/icon.png" -gravity north -geometry "+0+$(scaled 48)" -composite \
        -font DejaVu-Sans-Bold -pointsize "$(scaled 20)" -fill white \
        -gravity north -annotate "+0+$(scaled 168)" 'FE → 254' \
        -strip -type Palette -colors 256 -compress None "BMP3:$out/wizard_$percent.bmp"
done <<'SIZES'
100 164 314
125 191 386
150 245 458
200 327 603
SIZES

identify -format '%f: %wx%h, %k colours\n' "$out"/wizard_*.bmp
