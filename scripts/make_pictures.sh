#!/usr/bin/env bash
# Draws ZEB's own pictures with ImageMagick: the about box's logo and the released and
# pressed looks of its picture button, as GIF and BMP. The results are committed; run this
# only to change them.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
cd "$here/../graphics"

# The logo: a night-blue disc, a pale crescent moon and a finch on a twig (67 px = 1000 twips),
# drawn as the icons are.
"$here/../packaging/make_icon.sh" 67 Moonfinch_fi.gif

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
