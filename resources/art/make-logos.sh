#!/usr/bin/env bash
# Draws the tray logos: one grey (inactive) and one coloured (active) emblem per
# game, Picture1..Picture18, and the program icon. The outputs are committed, so
# building needs no image tools; run this again only to change the artwork.
set -euo pipefail
cd "$(dirname "$0")/.."

font=DejaVu-Sans-Bold
# picture pair number (odd = inactive), initials, active colour
emblems=(
  "1 Q3 #b8321e"
  "3 JO #2a6fb8"
  "5 J2 #3c8f3a"
  "7 TK #8a5a1c"
  "9 EF #c28a12"
  "11 E2 #7a3fb0"
  "13 RW #6b6b2a"
  "15 JA #1f8c8c"
  "17 JM #b02a6e"
)

draw() { # out fill text
  convert -size 32x32 xc:none \
    -fill "$2" -stroke '#202020' -strokewidth 1 -draw "roundrectangle 1,1 30,30 7,7" \
    -stroke none -fill white -font "$font" -pointsize 13 -gravity center -annotate +0+0 "$3" \
    -define icon:auto-resize=32,16 "$1"
}

for emblem in "${emblems[@]}"; do
  read -r number initials colour <<<"$emblem"
  draw "logos/Picture${number}.ico" '#8c8c8c' "$initials"
  draw "logos/Picture$((number + 1)).ico" "$colour" "$initials"
done
cp logos/Picture12.ico Tuckaway.ico
