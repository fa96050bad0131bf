#!/usr/bin/env bash
# Writes the reference pixels of the PNG test pictures, decoded by ImageMagick:
#   make_png_reference.sh <libpng contrib folder> <output folder>
# For every picture of pngsuite/, pngsuite/interlaced/ and testpngs/ it writes
# <output>/<folder>/<name>.ref: a line "BRXREF width height channels", then every pixel,
# top row first, as 16-bit big-endian samples in blue, green, red (and alpha) order.
# Channels are 4 exactly when the PNG colour type has an alpha channel. The colour space
# is declared sRGB so that no gamma or colour-space conversion touches the samples, and
# nothing is composed on a background: a transparency chunk only adds an alpha channel,
# which the 3-channel output leaves out.
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
