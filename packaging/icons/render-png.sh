#!/usr/bin/env bash
# Renders zovek.svg's shapes to PNG with ImageMagick's own drawing commands
# (Debian's ImageMagick reads no SVG without extra delegates). The geometry
# below is the SVG's, primitive by primitive; keep the two in step.
set -euo pipefail
cd "$(dirname "$0")"

draw=(
  -fill '#2f4f8f' -stroke '#1b2f57' -strokewidth 6
  -draw "path 'M52 20 H188 L220 52 V224 Q220 236 208 236 H52 Q40 236 40 224 V32 Q40 20 52 20 Z'"
  -stroke none -fill '#d9b44a'
  -draw "roundrectangle 62,34 76,64 3,3" -draw "roundrectangle 86,34 100,64 3,3"
  -draw "roundrectangle 110,34 124,64 3,3" -draw "roundrectangle 134,34 148,64 3,3"
  -draw "roundrectangle 158,34 172,64 3,3"
  -fill '#f4f1e8' -draw "roundrectangle 60,84 200,216 10,10"
  -fill '#c23b2e' -draw "path 'M84 104 H176 V122 L112 184 H178 V202 H82 V184 L146 122 H84 Z'"
  -fill '#3a9a5b' -stroke '#f4f1e8' -strokewidth 5 -draw "circle 196,206 222,206"
  -fill none -stroke '#ffffff' -strokewidth 7 -draw "polyline 183,206 193,216 210,197"
)

convert -size 256x256 xc:none "${draw[@]}" -depth 8 zovek-256.png
convert zovek-256.png -resize 48x48 -depth 8 zovek-48.png
