#!/usr/bin/env bash
# Draws the program's icon images into app/icons/: a hexadecimal byte above its decimal value on a
# small display, 32 x 32 in 2 colours, 32 x 32 in 16 colours and 16 x 16 in 16 colours, pixel by pixel;
# and 48, 64, 128 and 256 pixels square, rendered from app/icons/program.svg, the same drawing on the
# same 32 x 32 grid, so the large sizes are sharp rather than enlarged.
# Run it after changing the drawing; the images are committed, so a build never needs ImageMagick or
# rsvg-convert.
set -euo pipefail
cd "$(dirname "$0")/.."

out=app/icons
mkdir -p "$out"
font=DejaVu-Sans-Bold

# Colours only from the 16-colour palette of classic displays, with anti-aliasing off, so every
# pixel is one of them and no colour reduction is needed.
common=(+antialias -font "$font" -strip -define png:exclude-chunks=date,time)

# 32 x 32, 16 colours: a silver case, a white display with FE in blue, a red arrow, 254 in black.
convert -size 32x32 xc:silver "${common[@]}" \
    -fill gray -draw 'rectangle 0,0 31,31' -fill silver -draw 'rectangle 1,1 30,30' \
    -fill white -stroke navy -draw 'rectangle 2,2 29,13' -stroke none \
    -fill blue -pointsize 11 -annotate +8+12 'FE' \
    -fill red -draw 'polygon 12,15 19,15 15,19' \
    -fill black -pointsize 11 -annotate +3+30 '254' \
    -colors 16 -define png:bit-depth=4 -define png:color-type=3 "PNG8:$out/program_32_16colours.png"

# 32 x 32, 2 colours: the same drawing in black and white.
convert -size 32x32 xc:white "${common[@]}" \
    -fill black -draw 'rectangle 0,0 31,31' -fill white -draw 'rectangle 1,1 30,30' \
    -fill black -draw 'rectangle 2,2 29,13' \
    -fill white -pointsize 11 -annotate +8+12 'FE' \
    -fill black -draw 'polygon 12,15 19,15 15,19' \
    -fill black -pointsize 11 -annotate +3+30 '254' \
    -colors 2 -define png:bit-depth=1 -define png:color-type=3 "PNG8:$out/program_32_2colours.png"

# 16 x 16, 16 colours: too small for digits, so two blue marks stand for FE and a black bar for 254.
convert -size 16x16 xc:silver "${common[@]}" \
    -fill gray -draw 'rectangle 0,0 15,15' -fill silver -draw 'rectangle 1,1 14,14' \
    -fill white -stroke navy -draw 'rectangle 2,2 13,7' -stroke none \
    -fill blue -draw 'rectangle 4,4 6,5' -draw 'rectangle 9,4 11,5' \
    -fill red -draw 'polygon 6,8 9,8 7,10' \
    -fill black -draw 'rectangle 3,11 12,13' \
    -colors 16 -define png:bit-depth=4 -define png:color-type=3 "PNG8:$out/program_16_16colours.png"

# The large sizes, for application grids and software centres.
for size in 48 64 128 256; do
    rsvg-convert --width "$size" --height "$size" "$out/program.svg" --output "$out/program_$size.png"
done

identify -format '%f: %wx%h, %k colours\n' "$out"/program_*.png
