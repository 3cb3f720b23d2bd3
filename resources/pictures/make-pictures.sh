#!/bin/sh
# Draws the two pictures of the welcome and About windows with ImageMagick:
# the program's logo and the donation button. The JPEG files are kept in the
# repository; run this again only to change them. The corners take the grey
# of a dialog's background, since JPEG has no transparency.
set -eu
cd "$(dirname "$0")"
font=DejaVu-Sans-Bold

# The logo: a lamp-lit evening sky in a rounded square, a white vane of three
# lines (the agenda) under a warm light.
convert -size 64x64 xc:'#efefef' \
  \( -size 64x64 gradient:'#14365f-#2f8fc4' \
     \( -size 64x64 xc:black -fill white -draw 'roundrectangle 1,1 62,62 12,12' \) \
     -alpha off -compose CopyOpacity -composite \) \
  -compose Over -composite \
  -fill '#ffd25a' -stroke none -draw 'circle 44,19 44,28' \
  -fill '#fff3c4' -draw 'circle 44,19 44,23' \
  -fill white -draw 'roundrectangle 12,30 40,34 2,2' \
  -draw 'roundrectangle 12,39 50,43 2,2' \
  -draw 'roundrectangle 12,48 32,52 2,2' \
  -quality 92 -sampling-factor 1x1 logo.jpg

# The donation button: a warm rounded button with a small heart.
convert -size 92x26 xc:'#efefef' \
  \( -size 92x26 gradient:'#ffe08a-#f2a93b' \
     \( -size 92x26 xc:black -fill white -draw 'roundrectangle 0,0 91,25 12,12' \) \
     -alpha off -compose CopyOpacity -composite \) \
  -compose Over -composite \
  -fill none -stroke '#c17d17' -strokewidth 1 -draw 'roundrectangle 0.5,0.5 91.5,25.5 12,12' \
  -stroke none -fill '#d9412b' \
  -draw 'circle 14,11 14,14' -draw 'circle 20,11 20,14' -draw 'polygon 10.5,12.5 23.5,12.5 17,19.5' \
  -font "$font" -pointsize 12 -fill '#1f3a66' -annotate +29+17 'Donate' \
  -quality 92 -sampling-factor 1x1 donate.jpg
