#!/usr/bin/env bash
# Draws Korvane's icons, picture-button bitmaps and alert sound into resources/art.
# The results are committed; run this only to change the art, then look at them:
#   KV_ART_PREVIEW=/some/folder scripts/draw-art.sh
# also leaves a PNG of every picture at every size in that folder. The output is
# the same on every run, so an unchanged drawing leaves git clean.
#
# Each picture is drawn separately at every size it ships in (16 and 32 pixels
# for icons) rather than scaled down from one big picture: shapes are placed on
# the pixel grid of that size, drawn 8 times larger and box-averaged down, so
# edges that sit on pixel borders stay sharp and slanted ones get exact
# coverage. Outlines come from eroding a shape's own mask by one pixel, which
# keeps them one pixel wide at both sizes. Coverage below 6% is dropped so that
# no pixel outside a shape is marked opaque in the icons' 1-bit masks, which
# Windows uses where it cannot blend.
# Needs ImageMagick (convert) and sox; no fonts: every glyph is a shape.
set -euo pipefail

ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
ART=$ROOT/resources/art
WORK=$(mktemp -d)
trap 'rm -rf "$WORK"' EXIT
SS=8
mkdir -p "$ART"

# Palette: one family; state and category differ by fill colour and badge.
INK='#17284d'         # outlines of every shape
BLUE='#3a76c6'
BLUE_HI='#7eb0ee'
GREEN='#2e9a45'
GREEN_HI='#7cd08a'
TEAL='#168f9c'
TEAL_HI='#6ccbd4'
RED='#cf3426'
RED_HI='#f2837a'
GOLD='#e8a417'
GOLD_HI='#f8d27a'
PURPLE='#7a4cc0'
PURPLE_HI='#b497e6'
PAPER='#ffffff'
PAPER_SHADE='#dfe6f0'
GREY='#8a94a6'
GREY_HI='#c9d0db'
IRIS='#1d4f9c'
PUPIL='#0b1630'
FACE='#c0c0c0'         # 3-D face grey behind the bitmaps

# ---------------------------------------------------------------- engine
# A picture is a list of layers: "mvg|fill|outline|clip". MVG is in a grid of
# U pixels per unit (icons: 16 units wide, so U is 1 or 2); fill and outline are
# colours; clip is the number of an earlier layer whose inside limits this one.
# Fill "CUT" erases the picture under the shape grown by one pixel, to set a
# badge apart from what lies under it; "HOLE" erases just the shape.
layers=()
L() { layers+=("$1|$2|${3:-}|${4:-}"); }

# paint W H U OUT: draws the layers into OUT (PNG with alpha).
paint() {
  local w=$1 h=$2 u=$3 out=$4 i=0 entry mvg fill outline clip m inner
  convert -size "${w}x${h}" xc:none "PNG32:$out"
  for entry in "${layers[@]}"; do
    IFS='|' read -r mvg fill outline clip <<<"$entry"
    m=$WORK/m$i.png
    # ImageMagick puts pixel centres on whole coordinates; the half-pixel shift
    # of the big canvas puts pixel borders there instead, as the grids assume.
    convert -size "$((w * SS))x$((h * SS))" xc:none \
      -draw "affine $((SS * u)),0,0,$((SS * u)),-0.5,-0.5 fill white stroke none $mvg" \
      -filter box -resize "${w}x${h}!" -channel A -fx 'a < 0.06 ? 0 : a' +channel "PNG32:$m"
    if [ -n "$clip" ]; then
      convert "$m" "$WORK/i$clip.png" -compose DstIn -composite "PNG32:$m"
    fi
    if [ -n "$outline" ]; then
      inner=$WORK/i$i.png
      convert "$m" -bordercolor none -border 2 -channel A -morphology Erode Square:1 +channel \
        -shave 2 "PNG32:$inner"
      over "$out" "$m" "$outline"
      over "$out" "$inner" "$fill"
    else
      cp "$m" "$WORK/i$i.png"
      if [ "$fill" = HOLE ]; then
        convert "$out" "$m" -compose DstOut -composite "PNG32:$out"
      elif [ "$fill" = CUT ]; then
        convert "$out" \( "$m" -bordercolor none -border 2 -channel A -morphology Dilate Square:1 \
          +channel -shave 2 \) \
          -compose DstOut -composite "PNG32:$out"
      else
        over "$out" "$m" "$fill"
      fi
    fi
    i=$((i + 1))
  done
}

# over OUT MASK COLOUR: lays COLOUR through MASK onto OUT.
over() {
  local size
  size=$(identify -format '%wx%h' "$1")
  convert "$1" \( -size "$size" "xc:$3" -alpha set "$2" -compose DstIn -composite \) \
    -compose Over -composite "PNG32:$1"
}

# icon FILE NAME: draws glyph NAME at 16 and 32 pixels into one .ico.
icon() {
  local file=$1 name=$2 s
  for s in 16 32; do
    layers=()
    "g_$name" "$s"
    paint "$s" "$s" $((s / 16)) "$WORK/$name-$s.png"
  done
  convert "$WORK/$name-16.png" "$WORK/$name-32.png" "ICO:$ART/$file"
  [ -z "${KV_ART_PREVIEW:-}" ] || cp "$WORK/$name-16.png" "$WORK/$name-32.png" "$KV_ART_PREVIEW/"
}

# bitmap FILE NAME W H: draws glyph NAME on the face grey as a 24-bit bitmap.
bitmap() {
  local file=$1 name=$2 w=$3 h=$4
  layers=()
  "g_$name" "$w"
  paint "$w" "$h" 1 "$WORK/$name.png"
  convert "$WORK/$name.png" -background "$FACE" -flatten -alpha off -type TrueColor "BMP3:$ART/$file"
  [ -z "${KV_ART_PREVIEW:-}" ] || cp "$WORK/$name.png" "$KV_ART_PREVIEW/"
}

# ---------------------------------------------------------------- shapes
# c EXPR: arithmetic with fractions, for coordinates.
c() { awk "BEGIN { printf \"%.3f\", $1 }"; }

# The shield. The small one is squarer, with its top and sides on pixel borders.
shield_path() {
  if [ "$1" -lt 32 ]; then
    echo 'path "M 1,1 L 15,1 L 15,7.5 C 15,11 12,13.6 8,15.5 C 4,13.6 1,11 1,7.5 Z"'
  else
    echo 'path "M 8,0.5 C 10.2,1.6 12.3,2 14.5,2 L 14.5,7 C 14.5,11 11.8,13.6 8,15.5 C 4.2,13.6 1.5,11 1.5,7 L 1.5,2 C 3.7,2 5.8,1.6 8,0.5 Z"'
  fi
}
LEFT_HALF='path "M 0,0 L 8,0 L 8,16 L 0,16 Z"'

# eye S CX CY RX: the watching eye; at 16 pixels without its own outline,
# which would leave no white to see.
eye() {
  local s=$1 cx=$2 cy=$3 rx=$4 ry ir pr lid
  ry=$(c "$rx * 1.0"); ir=$(c "$rx * 0.5"); pr=$(c "$rx * 0.24")
  lid="path \"M $(c "$cx-$rx"),$cy Q $cx,$(c "$cy-$ry") $(c "$cx+$rx"),$cy Q $cx,$(c "$cy+$ry") $(c "$cx-$rx"),$cy Z\""
  if [ "$s" -lt 32 ]; then
    L "$lid" "$PAPER"
    L "circle $cx,$cy $(c "$cx+$ir"),$cy" "$IRIS" "" $((${#layers[@]} - 1))
    L "circle $cx,$cy $(c "$cx+$pr"),$cy" "$PUPIL"
  else
    L "$lid" "$PAPER" "$INK"
    L "circle $cx,$cy $(c "$cx+$ir"),$cy" "$IRIS" "" $((${#layers[@]} - 1))
    L "circle $cx,$cy $(c "$cx+$pr"),$cy" "$PUPIL"
    L "circle $(c "$cx-$ir*0.4"),$(c "$cy-$ir*0.4") $(c "$cx-$ir*0.4+0.35"),$(c "$cy-$ir*0.4")" "#ffffffd0"
  fi
}

# shield S FILL HIGHLIGHT: the shield with its lit left half
shield() {
  L "$(shield_path "$1")" "$2" "$INK"
  L "$LEFT_HALF" "$3" "" $((${#layers[@]} - 1))
}

# ---------------------------------------------------------------- glyphs
# the shield's eye: wider on the small shield, where the white must show
shield_eye() { if [ "$1" -lt 32 ]; then eye "$1" 8 7.5 5.5; else eye "$1" 8 7.5 5; fi; }

g_program()       { shield "$1" "$BLUE" "${BLUE_HI}90"; shield_eye "$1"; }
g_tray_startup()  { shield "$1" "$GREEN" "${GREEN_HI}90"; shield_eye "$1"; }
g_tray_checking() { shield "$1" "$TEAL" "${TEAL_HI}90"; shield_eye "$1"; }
g_tray_alert() {
  shield "$1" "$RED" "${RED_HI}90"
  if [ "$1" -lt 32 ]; then
    L 'rectangle 7,3 9,9.5 rectangle 7,11 9,13' "$PAPER"
  else
    L 'roundrectangle 6.75,3 9.25,9.75 0.6,0.6 circle 8,12 8,13.25' "$PAPER" "$INK"
  fi
}
# The first tray picture: the eye on a round gold badge instead of the shield.
g_tray_classic() {
  L 'circle 8,8 8,0.5' "$GOLD" "$INK"
  L "$LEFT_HALF" "${GOLD_HI}a0" "" 0
  if [ "$1" -lt 32 ]; then eye "$1" 8 8 5.5; else eye "$1" 8 8 5.25; fi
}

# exclamation badge in the lower right corner, set apart by a clear ring
badge() {
  if [ "$1" -lt 32 ]; then
    L 'circle 11.5,11.5 11.5,7' CUT
    L 'circle 11.5,11.5 11.5,7' "$RED" "$INK"
    L 'rectangle 11,8.5 12,12 rectangle 11,13 12,14' "$PAPER"
  else
    L 'circle 12,12 12,8' CUT
    L 'circle 12,12 12,8' "$RED" "$INK"
    L 'roundrectangle 11.4,9.4 12.6,12.8 0.4,0.4 circle 12,14.3 12,15' "$PAPER"
  fi
}

# application window with a green start arrow
g_startup() {
  L 'rectangle 1,2 15,14' "$PAPER" "$INK"
  L 'rectangle 1,2 15,5' "$BLUE" "$INK"
  if [ "$1" -lt 32 ]; then
    L 'path "M 5,6 L 12,9.5 L 5,13 Z"' "$GREEN"
  else
    L 'path "M 6,6.5 L 11.5,9.75 L 6,13 Z"' "$GREEN" "$INK"
  fi
}
# a plain program window: rows whose file has no icon
g_item_default() {
  L 'rectangle 1,2 15,14' "$PAPER" "$INK"
  L 'rectangle 1,2 15,5' "$GREY" "$INK"
  L 'rectangle 3,7 13,8 rectangle 3,10 10,11' "$GREY_HI"
}
# clock
g_delayed() {
  if [ "$1" -lt 32 ]; then
    L 'circle 7.5,7.5 7.5,0' "$PAPER" "$INK"
    L 'path "M 7.5,7.5 L 16,7.5 L 16,0 L 7.5,0 Z"' "${GOLD_HI}c0" "" 0
    L 'rectangle 7,2 8,3 rectangle 12,7 13,8 rectangle 7,12 8,13 rectangle 2,7 3,8' "$GREY"
    L 'rectangle 7,3.5 8,8 rectangle 7,7 11,8' "$INK"
  else
    L 'circle 8,8 8,0.75' "$PAPER" "$INK"
    L 'path "M 8,8 L 15.5,8 L 15.5,0.5 L 8,0.5 Z"' "${GOLD_HI}c0" "" 0
    L 'circle 8,3 8,3.5 circle 13,8 13.5,8 circle 8,13 8.5,13 circle 3,8 3.5,8' "$GREY"
    L 'stroke white stroke-width 1 stroke-linecap round line 8,8 8,3.75 line 8,8 11.25,8' "$INK"
    L 'circle 8,8 8,8.75' "$RED"
  fi
}
# puzzle piece: S, left, top, body size, colour, highlight; the socket on the
# left is a hole with its own one-pixel rim
puzzle() {
  local s=$1 x=$2 y=$3 n=$4 px cy r
  px=$(c "16 / $s")
  L "rectangle $x,$(c "$y+2") $(c "$x+$n"),$(c "$y+$n+2") circle $(c "$x+$n/2"),$(c "$y+1.6") $(c "$x+$n/2+$n*0.2"),$(c "$y+1.6") circle $(c "$x+$n+1.4"),$(c "$y+$n/2+2") $(c "$x+$n+1.4+$n*0.2"),$(c "$y+$n/2+2")" "$5" "$INK"
  L "$LEFT_HALF" "$6" "" $((${#layers[@]} - 1))
  cy=$(c "$y+$n/2+2"); r=$(c "$n*0.2")
  L "circle $x,$cy $(c "$x+$r+$px"),$cy" "$INK"
  L "circle $x,$cy $(c "$x+$r"),$cy" HOLE
}
g_activex() {
  if [ "$1" -lt 32 ]; then
    puzzle "$1" 2 1 10 "$PURPLE" "${PURPLE_HI}90"
  else
    puzzle "$1" 1.5 0.5 11 "$PURPLE" "${PURPLE_HI}90"
  fi
}
# globe with an add-on piece
g_ie_helpers() {
  L 'circle 7.5,7.5 7.5,0.5' "$BLUE" "$INK"
  L 'stroke white stroke-width 1 fill none ellipse 7.5,7.5 2.75,6.5 0,360 line 0.5,7.5 14.5,7.5' '#d8e8fcd0' "" 0
  if [ "$1" -lt 32 ]; then
    L 'rectangle 9,10 16,16 circle 12.5,9.5 12.5,8' CUT
    L 'rectangle 10,11 16,16 circle 12.5,10.5 12.5,9' "$GOLD" "$INK"
  else
    L 'rectangle 9,10 16,16 circle 12.75,10 12.75,8.5' CUT
    L 'rectangle 10,11 15.5,15.5 circle 12.75,10.5 12.75,9.25' "$GOLD" "$INK"
  fi
}
# calendar page
g_tasks() {
  if [ "$1" -lt 32 ]; then
    L 'rectangle 1,2 15,15' "$PAPER" "$INK"
    L 'rectangle 1,2 15,6' "$RED" "$INK"
    L 'rectangle 3,7 5,9 rectangle 7,7 9,9 rectangle 11,7 13,9 rectangle 3,10 5,12 rectangle 7,10 9,12' "$GREY_HI"
    L 'rectangle 11,10 13,12' "$GOLD"
    L 'rectangle 4,1 5,3 rectangle 11,1 12,3' "$INK"
  else
    L 'rectangle 1.5,2 14.5,15' "$PAPER" "$INK"
    L 'rectangle 1.5,2 14.5,6' "$RED" "$INK"
    L 'rectangle 3.5,7.5 5.5,9.5 rectangle 7,7.5 9,9.5 rectangle 10.5,7.5 12.5,9.5 rectangle 3.5,11 5.5,13 rectangle 7,11 9,13' "$GREY_HI"
    L 'rectangle 10.5,11 12.5,13' "$GOLD"
    L 'roundrectangle 4,0.5 5,3.5 0.5,0.5 roundrectangle 11,0.5 12,3.5 0.5,0.5' "$GREY" "$INK"
  fi
}
# gear
g_services() {
  local teeth="" a
  for a in 0 45 90 135; do
    teeth="$teeth push graphic-context translate 8,8 rotate $a rectangle -1.5,-7.5 1.5,7.5 pop graphic-context"
  done
  L "circle 8,8 8,2.5 $teeth" '#6d7f9e' "$INK"
  L "$LEFT_HALF" '#a9b8d0a0' "" 0
  L 'circle 8,8 8,5.25' "$INK"
  L 'circle 8,8 8,6.25' HOLE
}
# running program: window with a pulse line
g_active_tasks() {
  L 'rectangle 1,2 15,14' '#12361f' "$INK"
  L 'rectangle 1,2 15,5' "$BLUE" "$INK"
  L 'stroke white stroke-width 1.1 fill none stroke-linejoin round polyline 2,10 5,10 6.5,7 8.5,12.5 10,9 11,10 14,10' "$GREEN_HI" "" 0
}
# cookie
g_cookies() {
  L 'circle 8,8 8,1' '#cf8f45' '#5b3414'
  L "$LEFT_HALF" '#f0c08a80' "" 0
  if [ "$1" -lt 32 ]; then
    L 'rectangle 5,5 6,6 rectangle 9,4 10,5 rectangle 10,9 11,10 rectangle 6,10 7,11 rectangle 8,7 9,8' '#4a2608'
  else
    L 'circle 5.5,5.5 5.5,6.4 circle 9.5,4.5 9.5,5.3 circle 10.5,9.5 10.5,10.4 circle 6.5,10.5 6.5,11.3 circle 8.25,7.75 8.25,8.4 circle 12,6.5 12,7.1' '#4a2608'
  fi
}
# document with a coloured label
document() {
  L 'path "M 2,1 L 10,1 L 14,5 L 14,15 L 2,15 Z"' "$1" "$INK"
  L 'path "M 10,1 L 10,5 L 14,5 Z"' "$PAPER_SHADE" "$INK"
}
g_file_types() {
  document "$PAPER"
  L 'rectangle 4,6 12,7 rectangle 4,8 10,9' "$GREY_HI"
  L 'rectangle 2,10 14,15' "$BLUE" "$INK"
  L 'rectangle 4,12 8,13' "$PAPER"
}
# faded document with a closed eye
g_hidden_files() {
  document "${PAPER}b0"
  if [ "$1" -lt 32 ]; then
    L 'stroke white stroke-width 1 fill none path "M 4,8.5 Q 8,12.5 12,8.5"' "$INK"
    L 'rectangle 5,11 6,12 rectangle 7.5,11.5 8.5,12.5 rectangle 10,11 11,12' "$INK"
  else
    L 'stroke white stroke-width 1 fill none path "M 4,8.5 Q 8,12.5 12,8.5"' "$INK"
    L 'stroke white stroke-width 0.75 stroke-linecap round line 5,10.25 4.25,11.5 line 8,11 8,12.5 line 11,10.25 11.75,11.5' "$INK"
  fi
}
# information
g_velt() {
  L 'circle 8,8 8,0.75' "$BLUE" "$INK"
  L "$LEFT_HALF" "${BLUE_HI}90" "" 0
  if [ "$1" -lt 32 ]; then
    L 'rectangle 7,3 9,5 rectangle 7,6.5 9,12.5' "$PAPER"
  else
    L 'circle 8,4.25 8,5.5 roundrectangle 6.9,6.75 9.1,12.5 0.5,0.5' "$PAPER" "$INK"
  fi
}
# settings panel with three sliders
g_options() {
  L 'rectangle 1,1.5 15,14.5' "$PAPER" "$INK"
  L 'rectangle 3,4 13,5 rectangle 3,7.5 13,8.5 rectangle 3,11 13,12' "$GREY"
  if [ "$1" -lt 32 ]; then
    L 'rectangle 8,3 10,6' "$BLUE"
    L 'rectangle 4,6.5 6,9.5' "$GREEN"
    L 'rectangle 10,10 12,13' "$GOLD"
  else
    L 'rectangle 8,2.5 10,6.5' "$BLUE" "$INK"
    L 'rectangle 4,6 6,10' "$GREEN" "$INK"
    L 'rectangle 10,9.5 12,13.5' "$GOLD" "$INK"
  fi
}

g_alert_startup()   { g_startup "$1"; badge "$1"; }
g_alert_task()      { g_tasks "$1"; badge "$1"; }
g_alert_service()   { g_services "$1"; badge "$1"; }
g_alert_ie_helper() { g_ie_helpers "$1"; badge "$1"; }
g_alert_activex()   { g_activex "$1"; badge "$1"; }

# ---------------------------------------------------------------- bitmaps
# Picture buttons, in pixels: help 24x20, monitor 24x20, folder 22x18.
help_button() {
  local dx=$1 dy=$2 fill=$3
  L "circle $(c "12+$dx"),$(c "10+$dy") $(c "12+$dx"),$(c "1+$dy")" "$fill" "$INK"
  L "$LEFT_HALF_WIDE" '#ffffff40' "" 0
  L "stroke white stroke-width 2.4 stroke-linecap round stroke-linejoin round fill none path 'M $(c "8.8+$dx"),$(c "7.6+$dy") C $(c "8.8+$dx"),$(c "3.6+$dy") $(c "15.2+$dx"),$(c "3.6+$dy") $(c "15.2+$dx"),$(c "7.4+$dy") C $(c "15.2+$dx"),$(c "9.8+$dy") $(c "12+$dx"),$(c "9.8+$dy") $(c "12+$dx"),$(c "12.4+$dy")' circle $(c "12+$dx"),$(c "15.6+$dy") $(c "12+$dx"),$(c "16.9+$dy")" "$PAPER"
}
LEFT_HALF_WIDE='path "M 0,0 L 12,0 L 12,20 L 0,20 Z"'
g_help()         { help_button 0 0 "$BLUE"; }
g_help_hover()   { help_button 0 0 '#4f8fe0'; }
g_help_pressed() { help_button 1 1 '#2a5aa0'; }

# the monitor's eye: IRIS colour; LID closes it; BOLT marks real-time watching
monitor_eye() {
  local iris=$1 lid=${2:-} bolt=${3:-}
  L 'path "M 1.5,10 Q 12,-2 22.5,10 Q 12,22 1.5,10 Z"' "$PAPER" "$INK"
  L 'circle 12,10 12,4.5' "$iris" "$INK" 0
  L 'circle 12,10 12,7.75' "$PUPIL"
  L 'circle 10.5,8.5 10.5,7.6' '#ffffffd0'
  if [ -n "$lid" ]; then
    L 'path "M 0,0 L 24,0 L 24,10.5 L 0,10.5 Z"' "$GREY_HI" "" 0
    L 'stroke white stroke-width 1.2 fill none path "M 2,10.5 Q 12,14 22,10.5"' "$INK" "" 0
  fi
  if [ -n "$bolt" ]; then
    L 'path "M 19,0 L 23.5,0 L 21.5,3.5 L 24,3.5 L 18,10 L 19.5,5 L 17,5 Z"' CUT
    L 'path "M 19,0 L 23.5,0 L 21.5,3.5 L 24,3.5 L 18,10 L 19.5,5 L 17,5 Z"' "$GOLD" "$INK"
  fi
}
g_monitor_off()      { monitor_eye "$GREY" lid; }
g_monitor_hover()    { monitor_eye "$BLUE"; }
g_monitor_on()       { monitor_eye "$GREEN"; }
g_monitor_realtime() { monitor_eye "$GREEN" "" bolt; }

folder_button() {
  local dx=$1 dy=$2 back=$3 front=$4
  L "path 'M $((1+dx)),$((3+dy)) L $((8+dx)),$((3+dy)) L $((10+dx)),$((5+dy)) L $((20+dx)),$((5+dy)) L $((20+dx)),$((16+dy)) L $((1+dx)),$((16+dy)) Z'" "$back" "$INK"
  L "path 'M $((1+dx)),$((16+dy)) L $((3+dx)),$((8+dy)) L $((22+dx)),$((8+dy)) L $((20+dx)),$((16+dy)) Z'" "$front" "$INK"
}
g_folder()         { folder_button 0 0 '#d08a10' "$GOLD"; }
g_folder_hover()   { folder_button 0 0 '#e29a18' "$GOLD_HI"; }
g_folder_pressed() { folder_button 1 1 '#a86e08' '#d4940f'; }

# ---------------------------------------------------------------- sound
# Built-in alert: a two-note chime, the second note struck while the first still
# rings. 22050 Hz mono 16-bit PCM, which every Windows wave player takes.
# -R and -D keep the file the same on every run (no random dither).
chime() {
  local out=$1 note
  note() { sox -R -D -n -r 22050 -c 1 -b 16 "$1" synth "$2" sine "$3" fade l 0.008 "$2" "$(c "$2 - 0.01")" vol "$4"; }
  note "$WORK/a1.wav" 0.24 1318.51 0.55
  note "$WORK/a2.wav" 0.24 2637.02 0.12
  note "$WORK/b1.wav" 0.30 1046.50 0.60
  note "$WORK/b2.wav" 0.30 2093.00 0.12
  sox -R -D -m "$WORK/a1.wav" "$WORK/a2.wav" "$WORK/a.wav"
  sox -R -D -m "$WORK/b1.wav" "$WORK/b2.wav" "$WORK/b.wav" pad 0.12 0
  sox -R -D -m "$WORK/a.wav" "$WORK/b.wav" -b 16 "$out" trim 0 0.42 fade t 0 0.42 0.06 gain -n -3
}

# ---------------------------------------------------------------- main
icon 101-program.ico program
icon 157-tray-startup.ico tray_startup
icon 158-tray-checking.ico tray_checking
icon 159-tray-classic.ico tray_classic
icon 161-tray-alert.ico tray_alert
icon 115-item-default.ico item_default
icon 162-alert-ie-helper.ico alert_ie_helper
icon 164-alert-service.ico alert_service
icon 165-alert-startup.ico alert_startup
icon 166-alert-task.ico alert_task
icon 171-alert-activex.ico alert_activex
icon 167-tab-velt.ico velt
icon 173-tab-services.ico services
icon 174-tab-startup.ico startup
icon 176-tab-active-tasks.ico active_tasks
icon 179-tab-file-types.ico file_types
icon 180-tab-ie-helpers.ico ie_helpers
icon 181-tab-options.ico options
icon 182-tab-scheduled-tasks.ico tasks
icon 183-tab-cookies.ico cookies
icon 198-tab-hidden-files.ico hidden_files
icon 200-delayed.ico delayed
icon 212-tab-activex.ico activex
bitmap 133-help.bmp help 24 20
bitmap 134-help-hover.bmp help_hover 24 20
bitmap 135-help-pressed.bmp help_pressed 24 20
bitmap 154-monitor-off.bmp monitor_off 24 20
bitmap 155-monitor-hover.bmp monitor_hover 24 20
bitmap 156-monitor-on.bmp monitor_on 24 20
bitmap 193-monitor-realtime.bmp monitor_realtime 24 20
bitmap 158-folder.bmp folder 22 18
bitmap 159-folder-hover.bmp folder_hover 22 18
bitmap 160-folder-pressed.bmp folder_pressed 22 18
chime "$ART/alert.wav"
