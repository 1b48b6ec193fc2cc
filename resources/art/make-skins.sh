#!/usr/bin/env bash
# Draws the two dialog skins as GIF files in resources/skins. Each plate sits on
# a flat key colour that the program cuts away to shape its window, so the key
# must fill everything outside the plate and appear nowhere inside it. The plate
# is reduced to 255 colours before it is put on the key, so the GIF (256 colours
# at most) stores every pixel exactly; the script then checks that it did.
# The outputs are committed: building needs no image tools.
set -euo pipefail
cd "$(dirname "$0")/.."

bold=DejaVu-Sans-Bold
sans=DejaVu-Sans
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# plate W H RADIUS TOP BOTTOM OUT: a rounded brushed-metal plate filling rows
# TOP..BOTTOM, drawn without antialiasing so the outline is a clean on/off mask.
plate() {
    local w=$1 h=$2 r=$3 top=$4 bottom=$5 out=$6
    convert -size "${w}x${h}" xc:black +antialias -fill white \
        -draw "roundrectangle 0,$top $((w - 1)),$bottom $r,$r" "$tmp/$out.mask.png"
    # Vertical gradient, faint horizontal brushing, a lighter rim just inside the edge.
    convert -size "${w}x${h}" gradient:'#4a5a70'-'#1d2533' "$tmp/$out.base.png"
    convert -size "${w}x${h}" xc:gray50 -seed 7 +noise Uniform -blur 12x1 \
        -channel RGB -level 40%,60% +channel "$tmp/$out.noise.png"
    convert "$tmp/$out.base.png" "$tmp/$out.noise.png" -compose softlight -composite \
        -fill none -stroke '#9fb2cc' -strokewidth 2 \
        -draw "roundrectangle 2,$((top + 2)) $((w - 3)),$((bottom - 2)) $((r - 2)),$((r - 2))" \
        -stroke '#10151d' -strokewidth 1 \
        -draw "roundrectangle 4,$((top + 4)) $((w - 5)),$((bottom - 4)) $((r - 4)),$((r - 4))" \
        "$tmp/$out.plate.png"
}

# finish IN OUT KEY: 255 colours on the plate, the key outside, written as GIF and checked.
finish() {
    local in=$1 out=$2 key=$3
    convert "$in" +dither -colors 255 "$tmp/$out.reduced.png"
    convert -size "$(identify -format '%wx%h' "$in")" xc:"$key" \
        "$tmp/$out.reduced.png" "$tmp/$out.mask.png" -composite \
        +dither -colors 256 "skins/$out.gif"
    # Where the GIF has the key must be exactly where the mask is off.
    convert "skins/$out.gif" -alpha off -fill black +opaque "$key" -fill white -opaque "$key" \
        "$tmp/$out.keys.png"
    convert "$tmp/$out.mask.png" -negate "$tmp/$out.outside.png"
    local wrong
    wrong="$(compare -metric AE "$tmp/$out.keys.png" "$tmp/$out.outside.png" null: 2>&1 || true)"
    if [ "$wrong" != 0 ]; then
        echo "skins/$out.gif: $wrong pixels disagree with the outline" >&2
        exit 1
    fi
}

# --- Hot-key dialog, 572 x 141: every row belongs to the plate.
plate 572 141 18 0 140 hotkey
convert "$tmp/hotkey.plate.png" \
    -stroke none -fill '#131a24' \
    -draw "roundrectangle 27,34 272,119 6,6" \
    -draw "roundrectangle 278,34 550,119 6,6" \
    -fill none -stroke '#5f7390' -strokewidth 1 \
    -draw "roundrectangle 27,34 272,119 6,6" \
    -draw "roundrectangle 278,34 550,119 6,6" \
    -stroke none -fill '#7fa8e0' -draw "circle 32,19 32,10" \
    -fill '#1d2533' -draw "polygon 27,15 37,15 32,23" \
    -fill '#e8eef8' -font "$bold" -pointsize 19 -annotate +46+27 'Tuckaway' \
    -fill '#9fc1ee' -font "$sans" -pointsize 13 -annotate +154+26 'Hot Keys' \
    -fill '#8597b0' -pointsize 10 -annotate +424+25 'hide it, bring it back' \
    "$tmp/hotkey.png"
finish "$tmp/hotkey.png" hotkey 'rgb(30,30,30)'

# --- About dialog, 299 x 451: the top row and the two bottom rows stay outside.
plate 299 451 22 1 448 main
convert "$tmp/main.plate.png" \
    -stroke none -fill '#7fa8e0' -draw "circle 149,50 149,18" \
    -fill '#26344a' -draw "circle 149,50 149,24" \
    -fill '#7fa8e0' -draw "polygon 131,38 167,38 149,62" \
    -draw "rectangle 131,66 167,71" \
    -fill '#e8eef8' -font "$bold" -pointsize 24 -gravity north -annotate +0+86 'Tuckaway' \
    -gravity northwest \
    -fill '#131a24' \
    -draw "roundrectangle 28,130 272,334 6,6" \
    -draw "rectangle 28,336 272,366" \
    -draw "rectangle 26,394 274,423" \
    -fill none -stroke '#5f7390' -strokewidth 1 \
    -draw "roundrectangle 28,130 272,334 6,6" \
    -draw "rectangle 28,336 272,366" \
    -draw "rectangle 26,394 274,423" \
    -stroke none -fill '#0f141c' -draw "rectangle 24,367 274,387" \
    -fill '#9fb2cc' -draw "rectangle 24,366 274,366" -draw "rectangle 24,388 274,388" \
    "$tmp/main.png"
finish "$tmp/main.png" main 'rgb(69,69,69)'
