#!/usr/bin/env bash
# Draws the tray logos: one grey (inactive) and one coloured (active) emblem per
# game, Picture1..Picture18, the pair every game the user adds shares,
# Picture19 and Picture20, and the program icon (a copy of Picture12). Each
# icon holds a 32x32, 24x24, 20x20 and 16x16 image, all 24 bits a pixel with a
# 1-bit mask, the format every version of the tray shows the same. The tray
# takes the small-icon size, which grows with the display's scaling (16 at
# 100 %, 20 at 125 %, 24 at 150 %, 32 at 200 %); each image is drawn at its
# own size, not shrunk, so the letters stay crisp at every one of them. The outputs are
# committed, so building needs no image tools; run this only to change the art.
set -euo pipefail
cd "$(dirname "$0")/.."

font=DejaVu-Sans-Bold
tmp="$(mktemp -d)"
trap 'rm -rf "$tmp"' EXIT

# picture pair number (odd = inactive), initials, shape, active colour
emblems=(
  "1 Q3 circle #c0391f"
  "3 JO hexagon #2a6fc0"
  "5 J2 square #3c9a3a"
  "7 TK octagon #9a6420"
  "9 EF shield #d09a10"
  "11 E2 ring #8040c0"
  "13 RW tower #707a30"
  "15 JA flathex #1f9a9a"
  "17 JM pill #c02a78"
  "19 + diamond #2f8a5a"
)

# shape NAME SIZE: the -draw primitive of a shape on a SIZE x SIZE canvas.
shape() {
    local s=$2 m=$(($2 - 1))
    case $1 in
    circle | ring) echo "circle $((m / 2)),$((m / 2)) $((m / 2)),0" ;;
    diamond) echo "polygon $((m / 2)),0 $m,$((m / 2)) $((m / 2)),$m 0,$((m / 2))" ;;
    square) echo "roundrectangle 0,0 $m,$m $((s / 5)),$((s / 5))" ;;
    pill) echo "roundrectangle 0,$((s / 8)) $m,$((m - s / 8)) $((s / 3)),$((s / 3))" ;;
    hexagon) echo "polygon $((s / 4)),0 $((m - s / 4)),0 $m,$((m / 2)) $((m - s / 4)),$m $((s / 4)),$m 0,$((m / 2))" ;;
    flathex) echo "polygon 0,$((s / 4)) $((m / 2)),0 $m,$((s / 4)) $m,$((m - s / 4)) $((m / 2)),$m 0,$((m - s / 4))" ;;
    octagon) echo "polygon $((s * 3 / 10)),0 $((m - s * 3 / 10)),0 $m,$((s * 3 / 10)) $m,$((m - s * 3 / 10)) $((m - s * 3 / 10)),$m $((s * 3 / 10)),$m 0,$((m - s * 3 / 10)) 0,$((s * 3 / 10))" ;;
    shield) echo "path 'M 0,0 L $m,0 L $m,$((s / 2)) Q $m,$((s * 7 / 8)) $((m / 2)),$m Q 0,$((s * 7 / 8)) 0,$((s / 2)) Z'" ;;
    tower) echo "polygon 0,0 $((s / 5)),0 $((s / 5)),$((s / 6)) $((s * 2 / 5)),$((s / 6)) $((s * 2 / 5)),0 $((m - s * 2 / 5)),0 $((m - s * 2 / 5)),$((s / 6)) $((m - s / 5)),$((s / 6)) $((m - s / 5)),0 $m,0 $m,$m 0,$m" ;;
    esac
}

# draw OUT SIZE SHAPE FILL TEXT POINTSIZE: one emblem image with its on/off outline.
draw() {
    local out=$1 s=$2 fill=$3 text=$5 points=$6 primitive
    primitive="$(shape "$4" "$s")"
    local dy=0 extra=()
    [ "$4" = ring ] && [ "$s" -ge 32 ] && extra=(-stroke 'rgba(255,255,255,0.6)' -draw "circle $(((s - 1) / 2)),$(((s - 1) / 2)) $(((s - 1) / 2)),$((s / 8))")
    [ "$4" = shield ] && dy=$((-s / 16))
    [ "$4" = tower ] && dy=$((s / 16))
    convert -size "${s}x${s}" xc:black +antialias -fill white -draw "$primitive" "$out.mask.png"
    convert -size "${s}x${s}" xc:"$fill" \
        \( -size "${s}x${s}" gradient:'rgba(255,255,255,0.35)'-'rgba(0,0,0,0.35)' \) -compose over -composite \
        -fill none -stroke 'rgba(0,0,0,0.55)' -strokewidth 1 +antialias -draw "$primitive" \
        "${extra[@]}" \
        -antialias -stroke none -fill white -font "$font" -pointsize "$points" -gravity center \
        -annotate "+0+$dy" "$text" \
        "$out.mask.png" -alpha off -compose multiply -composite "$out.rgb.png"
}

# The images of each icon: size and the point size of its letters.
sizes=("32 13" "24 10" "20 8" "16 7")

# icon OUT FILL SHAPE TEXT: a four-image ICO, 24 bits a pixel plus a 1-bit mask.
icon() {
    local out=$1 entry size points
    for entry in "${sizes[@]}"; do
        read -r size points <<<"$entry"
        draw "$tmp/$size" "$size" "$2" "$3" "$4" "$points"
        convert "$tmp/$size.rgb.png" -depth 8 "rgb:$tmp/$size.rgb"
        convert "$tmp/$size.mask.png" -colorspace gray -depth 8 "gray:$tmp/$size.mask"
    done
    python3 - "$out" "$tmp" <<'PY'
import struct, sys
out, tmp = sys.argv[1], sys.argv[2]
images = []
for size in (32, 24, 20, 16):
    rgb = open(f"{tmp}/{size}.rgb", "rb").read()
    mask = open(f"{tmp}/{size}.mask", "rb").read()
    xor, andm = b"", b""
    for y in reversed(range(size)):  # rows bottom-up
        row = b""
        bits = 0
        line = b""
        for x in range(size):
            i = y * size + x
            inside = mask[i] >= 128
            r, g, b = rgb[3 * i : 3 * i + 3] if inside else (0, 0, 0)
            row += bytes((b, g, r))
            bits = bits << 1 | (0 if inside else 1)
            if x % 8 == 7:
                line += bytes((bits,))
                bits = 0
        if size % 8:  # the row's last, partial byte of mask bits, left-aligned
            line += bytes((bits << (8 - size % 8),))
        xor += row + b"\0" * (-len(row) % 4)
        andm += line + b"\0" * (-len(line) % 4)
    header = struct.pack("<IiiHHIIiiII", 40, size, 2 * size, 1, 24, 0, len(xor) + len(andm), 0, 0, 0, 0)
    images.append((size, header + xor + andm))
data = struct.pack("<HHH", 0, 1, len(images))
offset = 6 + 16 * len(images)
for size, blob in images:
    data += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 24, len(blob), offset)
    offset += len(blob)
for _, blob in images:
    data += blob
open(out, "wb").write(data)
PY
}

for emblem in "${emblems[@]}"; do
  read -r number initials form colour <<<"$emblem"
  icon "logos/Picture${number}.ico" '#8c8c8c' "$form" "$initials"
  icon "logos/Picture$((number + 1)).ico" "$colour" "$form" "$initials"
done
cp logos/Picture12.ico Tuckaway.ico
