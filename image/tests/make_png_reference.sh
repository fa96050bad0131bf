#!/usr/bin/env bash
# Writes the reference pixels of the PNG test pictures, decoded by ImageMagick:
#   make_png_reference.sh <libpng contrib folder> <output folder>
# For every picture of pngsuite/, pngsuite/interlaced/ and testpngs/ it writes
# <output>/<folder>/<name>.ref: a line "BRXREF width height channels", then every pixel,
# top row first, as 16-bit big-endian samples in blue, green, red (and alpha) order.
# Channels are 4 exactly when the PNG colour type has an alpha channel.
# What keeps the reference comparable sample for sample with the decoder's rows:
# - Pictures with a gAMA chunk of 1.0 (every picture of the PNG suite, the "-linear"
#   ones of the colour-type set) are read by ImageMagick as linear light and would be
#   converted to sRGB on output; declaring the colour space sRGB after reading keeps
#   the stored samples. No gamma and no background (bKGD) is ever applied.
# - Samples are written with 16 bits and the tests take the high byte: 16-bit pictures
#   are thereby stripped as the decoder strips them (ImageMagick's own 8-bit output
#   would round instead), and 1-, 2- and 4-bit grey comes out bit-replicated.
# - A transparency chunk (palette, grey or RGB pictures) only adds an alpha channel,
#   which the 3-channel output leaves out, as the decoder drops it.
# The broken pictures of testpngs/crashers get no reference: they must be refused.
set -euo pipefail
contrib=$1
out=$2
magick=/usr/bin/convert
[ -x "$magick" ] || magick=convert
identify=/usr/bin/identify
[ -x "$identify" ] || identify=identify

rm -rf "$out"
count=0
for folder in pngsuite pngsuite/interlaced testpngs; do
  mkdir -p "$out/$folder"
  for picture in "$contrib/$folder"/*.png; do
    name=$(basename "$picture" .png)
    colour_type=$(od -An -tu1 -j25 -N1 "$picture" | tr -d ' ')
    if (( colour_type & 4 )); then channels=4; layout=bgra; else channels=3; layout=bgr; fi
    size=$("$identify" -format '%w %h' "$picture")
    {
      printf 'BRXREF %s %s\n' "$size" "$channels"
      "$magick" "$picture" -set colorspace sRGB -depth 16 -endian MSB "$layout:-"
    } > "$out/$folder/$name.ref"
    count=$((count + 1))
  done
done
echo "make_png_reference: $count pictures" > "$out/done.stamp"
