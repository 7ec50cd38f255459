#!/usr/bin/env bash
# Draws ZEB's icon, the about box's logo, at SIZE x SIZE pixels into OUT (a PNG), with the
# logo's own shapes scaled up rather than its 67-pixel picture blown up.
set -euo pipefail
size=$1 out=$2
s=$(awk -v n="$size" 'BEGIN { printf "%.6f", n / 67 }')
convert -size "${size}x${size}" xc:none -affine "$s,0,0,$s,0,0" \
  -fill '#1d2b4f' -draw 'circle 33.5,33.5 33.5,1' \
  -fill '#f4efc8' -draw 'circle 42,22 42,9' \
  -fill '#1d2b4f' -draw 'circle 48,18 48,7' \
  -fill '#f2f2f2' -draw 'circle 14,16 14,16.7' -draw 'circle 22,10 22,10.7' -draw 'circle 27,26 27,26.7' \
  -draw 'circle 52,40 52,40.7' \
  -stroke '#8a5a2b' -strokewidth 2 -draw 'line 10,50 56,44' -stroke none \
  -fill '#d9822b' -draw 'ellipse 31,40 9,6 0,360' \
  -fill '#d9822b' -draw 'circle 39,34 39,29' \
  -fill '#f6c453' -draw 'polygon 43,33 48,35 43,36' \
  -fill '#1b1b1b' -draw 'circle 40,33 40,32' \
  -fill '#7a4a1e' -draw 'polygon 24,38 14,35 16,41 25,42' \
  -fill '#5b3a1a' -draw 'polygon 28,37 36,39 30,44' \
  -stroke '#5b3a1a' -strokewidth 1 -draw 'line 30,46 29,48' -draw 'line 34,46 34,48' \
  -depth 8 -strip "$out"
