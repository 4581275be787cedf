#!/bin/sh
# Draws the command icons (24 x 24) and the window icon (32 x 32) of the application into
# resources/ with ImageMagick. Run from the repository root: sh tools/make_icons.sh
set -e
out=resources
mkdir -p "$out"

# icon NAME SIZE DRAW-ARGUMENTS...: transparent canvas, antialiased drawing.
icon() {
    name=$1; size=$2; shift 2
    convert -size "${size}x${size}" xc:none -strokewidth 1.5 "$@" "PNG32:$out/$name"
}

# Drawing of a satellite body with two solar panels centred at (x, y).
sat() {
    x=$1; y=$2
    echo "stroke-width 1 stroke #1a2f6d" \
         "fill #3a5fcd rectangle $((x-2)),$((y-2)) $((x+2)),$((y+2))" \
         "fill #7fb2ff rectangle $((x-8)),$((y-1)) $((x-4)),$((y+1))" \
         "rectangle $((x+4)),$((y-1)) $((x+8)),$((y+1))"
}

# Open TLE file: an opened yellow folder.
icon fileopen.png 24 -stroke '#8a6d00' -fill '#f5c542' \
    -draw 'polygon 2,6 9,6 11,8 20,8 20,19 2,19' \
    -fill '#ffe08a' -draw 'polygon 5,11 23,11 20,19 2,19'

# Save: a floppy disk.
icon filesave.png 24 -stroke '#1a2f6d' -fill '#3a5fcd' -draw 'rectangle 3,3 20,20' \
    -fill white -draw 'rectangle 7,3 16,9' -fill '#c8c8c8' -draw 'rectangle 6,13 17,20'

# Select satellite: a satellite and a green plus sign.
icon satpsels.png 24 -draw "$(sat 10 9)" \
    -stroke '#1a8f2a' -strokewidth 3 -draw 'line 18,14 18,22' -draw 'line 14,18 22,18'

# Next satellites: a satellite and a double forward arrow.
icon satpnx4p.png 24 -draw "$(sat 10 7)" \
    -stroke '#c03020' -fill '#c03020' -draw 'polygon 4,14 11,18 4,22' \
    -draw 'polygon 12,14 19,18 12,22'

# Date: a calendar sheet with a red header and day grid.
icon satpdate.png 24 -stroke '#404040' -fill white -draw 'rectangle 3,4 20,20' \
    -fill '#d03030' -draw 'rectangle 3,4 20,8' -stroke '#808080' -strokewidth 1 \
    -draw 'line 3,12 20,12' -draw 'line 3,16 20,16' -draw 'line 9,8 9,20' -draw 'line 14,8 14,20'

# Location: a red map pin on a ground line.
icon satploc.png 24 -stroke '#606060' -draw 'line 3,21 21,21' \
    -stroke '#8f1a1a' -fill '#e03a3a' -draw 'path "M 12,20 L 6,11 A 6,6 0 1,1 18,11 Z"' \
    -fill white -draw 'circle 12,9 12,11'

# AOS: a satellite rising over the horizon along a dashed arc.
icon satppaos.png 24 \
    -stroke '#2a7a2a' -strokewidth 2 -draw 'line 1,21 23,21' \
    -stroke '#808080' -strokewidth 1 -fill none \
    -draw 'stroke-dasharray 2 2 arc 2,8 22,34 180,360' -draw "$(sat 12 8)"

# Iridium flare: a bright four-pointed flash.
icon satpirid.png 24 -stroke '#b08000' -fill '#ffd700' \
    -draw 'polygon 12,1 14,10 23,12 14,14 12,23 10,14 1,12 10,10' \
    -fill white -stroke none -draw 'circle 12,12 12,14'

# Find matching satellites: a magnifying glass.
icon satpfind.png 24 -stroke '#303030' -fill '#cfe6ff' -strokewidth 2 \
    -draw 'circle 10,10 10,3' -strokewidth 4 -draw 'line 15,15 21,21'

# Edit orbit elements: an orbit ellipse around the Earth and a pencil.
icon satpxorb.png 24 -fill '#3a7fd5' -stroke '#1a3f6d' -draw 'circle 10,9 10,6' \
    -fill none -stroke '#d07000' -draw 'ellipse 10,9 9,4 0,360' \
    -stroke '#8a5a00' -fill '#f0a030' -strokewidth 1 -draw 'polygon 15,21 14,17 21,10 22,14'

# Real time: a clock face.
icon satprtim.png 24 -stroke '#303030' -fill white -strokewidth 2 -draw 'circle 12,12 12,2' \
    -draw 'line 12,12 12,5' -draw 'line 12,12 17,14' \
    -fill '#d03030' -stroke none -draw 'circle 12,12 12,13'

# Delta time: a ground track of dots along a wave.
icon satpdltm.png 24 -stroke '#3a5fcd' -fill none -draw 'path "M 1,16 Q 6,4 12,12 T 23,8"' \
    -fill '#d03030' -stroke none -draw 'circle 1,16 1,18' -draw 'circle 7,9 7,11' \
    -draw 'circle 12,12 12,14' -draw 'circle 17,14 17,16' -draw 'circle 22,8 22,10'

# Next pass: a pass arc with an arrow head at its end.
icon satppass.png 24 -stroke '#3a5fcd' -fill none -strokewidth 2 -draw 'arc 2,6 22,30 190,330' \
    -fill '#3a5fcd' -stroke none -draw 'polygon 16,4 23,10 15,12'

# Refresh: a circular arrow.
icon satprefr.png 24 -stroke '#1a8f2a' -fill none -strokewidth 3 -draw 'arc 4,4 20,20 30,320' \
    -fill '#1a8f2a' -stroke none -draw 'polygon 14,1 22,6 14,11'

# Switch satellites: two arrows in opposite directions.
icon satpswss.png 24 -stroke '#3a5fcd' -fill '#3a5fcd' -strokewidth 2 \
    -draw 'line 3,8 17,8' -draw 'polygon 16,4 22,8 16,12' \
    -stroke '#c03020' -fill '#c03020' -draw 'line 7,16 21,16' -draw 'polygon 8,12 2,16 8,20'

# Map view / sky map: a globe with meridians and parallels.
icon satpsmap.png 24 -stroke '#1a3f6d' -fill '#7fb2ff' -draw 'circle 12,12 12,2' \
    -fill none -strokewidth 1 -draw 'ellipse 12,12 4,10 0,360' -draw 'line 12,2 12,22' \
    -draw 'line 2,12 22,12' -draw 'line 4,7 20,7' -draw 'line 4,17 20,17'

# Visibility: an eye.
icon satpvisb.png 24 -stroke '#303030' -fill white -draw 'ellipse 12,12 10,6 0,360' \
    -fill '#3a7fd5' -draw 'circle 12,12 12,8' -fill black -stroke none -draw 'circle 12,12 12,10'

# Time step: a stopwatch with a step mark.
icon satptstp.png 24 -stroke '#303030' -fill white -strokewidth 2 -draw 'circle 12,14 12,5' \
    -draw 'line 12,2 12,5' -draw 'line 10,2 14,2' -stroke '#d03030' -draw 'line 12,14 16,9'

# Window icon: the Earth with an orbit and a satellite.
icon orbika32.png 32 -fill '#2a6fd5' -stroke '#123a7a' -draw 'circle 16,16 16,7' \
    -fill '#3aa04a' -stroke none -draw 'ellipse 13,13 4,3 0,360' -draw 'ellipse 19,20 3,2 0,360' \
    -fill none -stroke '#f0a030' -strokewidth 2 -draw 'ellipse 16,16 14,6 0,360' \
    -fill '#ffd700' -stroke '#8a6d00' -strokewidth 1 -draw 'circle 28,19 28,21'
