#!/usr/bin/env bash
# Draws the level badges skin/1.png .. skin/20.png (the levels the demo
# services produce): a rounded tag, its colour by tier, "Lv" and the level.
# Re-run only to change the artwork; the PNGs are committed.
set -euo pipefail
cd "$(dirname "$0")/../.."
font=$(fc-match -f '%{file}' 'DejaVu Sans:bold')
for level in $(seq 1 20); do
  if   [ "$level" -le 5 ];  then colour='#3FA66B'
  elif [ "$level" -le 10 ]; then colour='#2F6FD0'
  elif [ "$level" -le 15 ]; then colour='#8A4FD6'
  else                           colour='#E0832B'
  fi
  convert -size 28x16 xc:none -fill "$colour" -draw 'roundrectangle 0,0 27,15 5,5' \
    -font "$font" -pointsize 9 -fill white -gravity center -annotate +0+0 "Lv$level" \
    -define png:exclude-chunks=date,time +set date:create +set date:modify \
    "skin/$level.png"
done
