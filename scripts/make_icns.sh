#!/usr/bin/env bash
# Packs the program's icon into app/icons/program.icns for the macOS app bundle: the 16-colour images,
# 32 x 32 and 16 x 16. Needs png2icns (Debian's icnsutils), which reads only true-colour PNGs, so the
# palette images are widened first. Run it after make_icons.sh and commit the result.
set -euo pipefail
cd "$(dirname "$0")/.."

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for size in 32 16; do
    convert "app/icons/program_${size}_16colours.png" "PNG32:$work/$size.png"
done
png2icns app/icons/program.icns "$work/32.png" "$work/16.png"
