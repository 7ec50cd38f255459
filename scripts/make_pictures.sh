#!/usr/bin/env bash
# Draws ZEB's own pictures with ImageMagick: the about box's logo and the released and
# pressed looks of its picture button, as GIF and BMP. The results are committed; run this
# only to change them.
set -euo pipefail
cd "$(dirname "$0")/../graphics"

# The logo: a night-blue disc, a pale crescent moon and a finch on a twig (67 px = 1000 twips).
convert -size 67x67 xc:none \
  -fill '#1d2b4f' -draw 'circle 33,33 33,1' \
  -fill '#f4efc8' -draw 'circle 42,22 42,9' \
  -fill '#1d2b4f' -draw 'circle 48,18 48,7' \
  -fill '#f2f2f2' -draw 'point 14,16' -draw 'point 22,10' -draw 'point 27,26' -draw 'point 52,40' \
  -stroke '#8a5a2b' -strokewidth 2 -draw 'line 10,50 56,44' -stroke none \
  -fill '#d9822b' -draw 'ellipse 31,40 9,6 0,360' \
  -fill '#d9822b' -draw 'circle 39,34 39,29' \
  -fill '#f6c453' -draw 'polygon 43,33 48,35 43,36' \
  -fill '#1b1b1b' -draw 'circle 40,33 40,32' \
  -fill '#7a4a1e' -draw 'polygon 24,38 14,35 16,41 25,42' \
  -fill '#5b3a1a' -draw 'polygon 28,37 36,39 30,44' \
  -stroke '#5b3a1a' -strokewidth 1 -draw 'line 30,46 29,48' -draw 'line 34,46 34,48' \
  Moonfinch_fi.gif

# The picture button, 20 x 18 px (300 x 270 twips): a raised face with a cross, and the
# same face sunken, darker, with the cross one pixel down and right.
button() { # $1 face, $2 top-left edge, $3 bottom-right edge, $4 cross offset, $5 name
  convert -size 20x18 xc:"$1" \
    -fill none -stroke "$2" -draw 'line 0,0 19,0' -draw 'line 0,0 0,17' \
    -stroke "$3" -draw 'line 0,17 19,17' -draw 'line 19,0 19,17' \
    -stroke '#202020' -strokewidth 2 \
    -draw "line $((6 + $4)),$((5 + $4)) $((13 + $4)),$((12 + $4))" \
    -draw "line $((13 + $4)),$((5 + $4)) $((6 + $4)),$((12 + $4))" \
    "$5.png"
  convert "$5.png" "$5.gif"
  convert "$5.png" -type TrueColor BMP3:"$5.bmp"
  rm "$5.png"
}
button '#d6d3ce' '#ffffff' '#6f6f6f' 0 f_ul_U
button '#b9b6b0' '#6f6f6f' '#ffffff' 1 f_ul_D
