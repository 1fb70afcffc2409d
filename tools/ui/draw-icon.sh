#!/usr/bin/env bash
# Draws the program's icon (resource 107): a chat bubble on a blue tile.
# Re-run only to change the artwork; the PNG is committed.
set -euo pipefail
cd "$(dirname "$0")/../.."
convert -size 128x128 xc:none \
  -fill '#2F6FD0' -draw 'roundrectangle 4,4 123,123 28,28' \
  -fill '#FFFFFF' -draw 'roundrectangle 22,28 106,86 16,16' \
  -draw 'polygon 40,80 34,104 64,84' \
  -fill '#2F6FD0' -draw 'roundrectangle 36,44 92,51 3,3' \
  -fill '#F5A623' -draw 'roundrectangle 36,60 74,67 3,3' \
  -define png:exclude-chunks=date,time +set date:create +set date:modify \
  resources/107.png
# The 48-pixel icon of the desktop's icon theme (the 128 one is the same PNG;
# resources/icons/org.orvel.OrvelHelper.svg draws the same shapes).
convert resources/107.png -resize 48x48 \
  -define png:exclude-chunks=date,time +set date:create +set date:modify \
  resources/icons/org.orvel.OrvelHelper-48.png
