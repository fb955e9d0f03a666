#!/bin/sh
# Writes the pictures that LoadTest reads as ImageMagick writes them, and beside each one
# ImageMagick's own decode of it (.ppm), which the game's decode must match pixel for pixel.
# Made with ImageMagick 6.9.11-60 of Debian 12: run it again only to add or change a picture,
# and check each file's layout with `identify -verbose`.
set -eu
cd "$(dirname "$0")"

# Palette pictures, RLE8 and not. ImageMagick codes each RLE8 row up to a whole number of
# 32-bit words: width 30 codes 32 pixels a row, 37 codes 40, 40 codes 40.
for width in 30 37 40; do
  convert -seed 5 -size ${width}x30 plasma:fractal -colors 100 -type Palette -compress RLE \
    BMP3:rle8-$width.bmp
  convert -seed 5 -size ${width}x30 plasma:fractal -colors 100 -type Palette -compress None \
    BMP3:pal8-$width.bmp
done
# Twelve colours make a 4-bit palette picture (never RLE4: ImageMagick writes none).
convert -seed 5 -size 37x30 plasma:fractal -colors 12 -type Palette BMP3:pal4-37.bmp
# 24 bits; 32 bits with alpha, in a v5 header with channel masks.
convert -seed 5 -size 37x30 plasma:fractal -type TrueColor BMP3:rgb24-37.bmp
convert -seed 5 -size 37x30 plasma:fractal -alpha set -channel A -evaluate set 60% +channel \
  -type TrueColorAlpha BMP:argb32-37.bmp

for picture in *.bmp; do
  convert "$picture" -alpha off -depth 8 "ppm:${picture%.bmp}.ppm"
done
