#!/bin/sh
# Makes the smaller hicolor sizes of the program icon from the 256 px one with
# ImageMagick (Debian package "imagemagick"), without dates in the files.
set -eu
cd "$(dirname "$0")"
for size in 16 22 24 32 48 64 128; do
    convert orvanta.png -filter Lanczos -resize "${size}x${size}" -strip \
        -define png:exclude-chunks=date,time "png32:orvanta-$size.png"
done
