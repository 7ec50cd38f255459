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
# Each picture also at twice its size ("@2x"), drawn from the same shapes, for screens at 2x
# scale: the program picks it there instead of doubling the pixels.
"$here/../packaging/make_icon.sh" 134 Moonfinch_fi@2x.gif

# The picture button, 20 x 18 px (300 x 270 twips): a raised face with a cross, and the
# same face sunken, darker, with the cross one pixel down and right.
button() { # $1 face, $2 top-left edge, $3 bottom-right edge, $4 cross offset, $5 name, $6 scale
  local k=$6 w=$((20 * $6)) h=$((18 * $6))
  local suffix=""
  [ "$k" -eq 1 ] || suffix="@${k}x"
  convert -size ${w}x${h} xc:"$1" \
    -fill none -strokewidth "$k" -stroke "$2" \
    -draw "rectangle $(((k - 1) / 2)),$(((k - 1) / 2)) $((w - 1 - k / 2)),$(((k - 1) / 2))" \
    -draw "rectangle $(((k - 1) / 2)),$(((k - 1) / 2)) $(((k - 1) / 2)),$((h - 1 - k / 2))" \
    -stroke "$3" \
    -draw "rectangle $(((k - 1) / 2)),$((h - 1 - k / 2)) $((w - 1 - k / 2)),$((h - 1 - k / 2))" \
    -draw "rectangle $((w - 1 - k / 2)),$(((k - 1) / 2)) $((w - 1 - k / 2)),$((h - 1 - k / 2))" \
    -stroke '#202020' -strokewidth $((2 * k)) \
    -draw "line $(((6 + $4) * k)),$(((5 + $4) * k)) $(((13 + $4) * k)),$(((12 + $4) * k))" \
    -draw "line $(((13 + $4) * k)),$(((5 + $4) * k)) $(((6 + $4) * k)),$(((12 + $4) * k))" \
    "$5$suffix.png"
  convert "$5$suffix.png" "$5$suffix.gif"
  convert "$5$suffix.png" -type TrueColor BMP3:"$5$suffix.bmp"
  rm "$5$suffix.png"
}
for scale in 1 2; do
  button '#d6d3ce' '#ffffff' '#6f6f6f' 0 f_ul_U $scale
  button '#b9b6b0' '#6f6f6f' '#ffffff' 1 f_ul_D $scale
done
