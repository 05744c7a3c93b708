#!/bin/sh
# Regenerates the window's pictures (banner, pulse animation, icon) and the desktop icons that
# the install puts in the icon theme (dist/icons). Run by hand when a picture changes; the build
# only reads the committed files. Needs ImageMagick 6 (Debian: imagemagick).
#   make-images.sh            every picture
#   make-images.sh desktop    only the desktop icons
set -eu
cd "$(dirname "$0")"
IM=${IM:-convert-im6.q16}
what=${1:-all}

# A square pulse train as ImageMagick line primitives (a single open path gets closed along the
# base line by ImageMagick 6, which spoils it), from x0 with period p, height h, base line y.
pulses() { # x0 y h p count
    awk -v x="$1" -v y="$2" -v h="$3" -v p="$4" -v n="$5" 'BEGIN {
        px = x; py = y
        for (i = 0; i < n; i++) {
            a = x + i * p + p / 4; b = a + p / 2
            printf "line %d,%d %d,%d ", px, py, a, y
            printf "line %d,%d %d,%d ", a, y, a, y - h
            printf "line %d,%d %d,%d ", a, y - h, b, y - h
            printf "line %d,%d %d,%d ", b, y - h, b, y
            px = b; py = y
        }
        printf "line %d,%d %d,%d", px, py, x + n * p, y
    }'
}

# The same pulse train as the corner points of one SVG polyline, exact to the half pixel.
pulse_points() { # x0 y h p count
    awk -v x="$1" -v y="$2" -v h="$3" -v p="$4" -v n="$5" 'BEGIN {
        printf "%g,%g", x, y
        for (i = 0; i < n; i++) {
            a = x + i * p + p / 4; b = a + p / 2
            printf " %g,%g %g,%g %g,%g %g,%g", a, y, a, y - h, b, y - h, b, y
        }
        printf " %g,%g", x + n * p, y
    }'
}

# Desktop icons: the window icon's motif (blue rounded square, two white pulses) as a scalable
# SVG and as PNGs for the icon theme, drawn at 256 pixels (four times the window icon, so every
# corner stays on a whole pixel) and scaled down. No time stamps, so a re-run changes nothing.
desktop_icons() {
    out=../../dist/icons
    mkdir -p "$out"
    cat > "$out/icon.svg" <<SVG
<svg xmlns="http://www.w3.org/2000/svg" width="64" height="64" viewBox="0 0 64 64">
  <rect x="1" y="1" width="62" height="62" rx="10" ry="10" fill="#1c5cb8"/>
  <polyline points="$(pulse_points 6 46 26 26 2)" fill="none" stroke="#ffffff" stroke-width="4" stroke-linecap="square"/>
</svg>
SVG
    $IM -size 256x256 xc:none -fill '#1c5cb8' -draw 'roundrectangle 4,4 251,251 40,40' \
        -fill none -stroke white -strokewidth 16 \
        -draw "stroke-linecap square $(pulses 24 184 104 104 2)" \
        -define png:exclude-chunks=date,time "PNG32:$out/icon-256.png"
    for size in 128 48; do
        $IM "$out/icon-256.png" -filter Lanczos -resize ${size}x${size} \
            -define png:exclude-chunks=date,time "PNG32:$out/icon-$size.png"
    done
}

if [ "$what" = desktop ]; then
    desktop_icons
    exit 0
fi
desktop_icons

# Banner, 524 x 67: pulse motif at the left of a blue gradient. PNG rather than JPEG: the
# repository ignores *.jpg, which is what window captures are written as.
$IM -size 67x524 gradient:'#0a2a6e-#3d8fe0' -rotate 90 \
    -fill none -stroke white -strokewidth 3 -draw "stroke-linecap square $(pulses 12 50 30 44 4)" \
    -stroke none -fill white -font DejaVu-Sans-Bold -pointsize 20 -annotate +204+42 'PULSE GENERATOR' \
    banner.png

# Pulse animation, 320 x 240, endless loop: the pulse train slides left one period per cycle.
frames=""
i=0
while [ $i -lt 12 ]; do
    x=$(( -(i * 80 / 12) ))
    $IM -size 320x240 gradient:'#3d8fe0-#0a2a6e' \
        -fill none -stroke '#ffe34d' -strokewidth 8 -draw "stroke-linecap square $(pulses $x 170 100 80 6)" \
        "frame$i.gif"
    frames="$frames frame$i.gif"
    i=$((i + 1))
done
$IM -delay 8 -loop 0 $frames +dither -colors 32 -layers Optimize pulse.gif
rm -f $frames

# Program icon, 64 x 64.
$IM -size 64x64 xc:none -fill '#1c5cb8' -draw 'roundrectangle 1,1 62,62 10,10' \
    -fill none -stroke white -strokewidth 4 -draw "stroke-linecap square $(pulses 6 46 26 26 2)" \
    icon.png
