#!/usr/bin/env bash
# Starts kolvane on a 1024x768 virtual screen, draws a stroke, opens Setup
# from the command bar, picks background 8 in the settings dialog, confirms,
# and checks that the canvas shows the new background with the stroke still
# on it. Exit then asks about the unsaved picture; "保存" saves it through
# the save dialog and the program ends. Usage: gui_dialogs.sh PATH-TO-KOLVANE
set -uo pipefail

program="${1:?usage: gui_dialogs.sh PATH-TO-KOLVANE}"

# shellcheck source=gui_common.sh
source "$(dirname "$0")/gui_common.sh"

# Mean colour "r g b" (0..255) of a w x h box at (x, y) of a screenshot.
mean_rgb() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -scale 1x1\! -format '%[fx:round(r*255)] %[fx:round(g*255)] %[fx:round(b*255)]' info:
}

start_kolvane "$program"

# Take the welcome picture away, then draw a horizontal stroke at y = 300.
xdotool mousemove 512 400 click 1
sleep 0.5
xdotool mousemove 200 300 mousedown 1
for x in $(seq 210 10 600); do xdotool mousemove "$x" 300; done
xdotool mouseup 1
sleep 0.5
import -window root "$work/before.png"
[ "$(darkest "$work/before.png" 400 297 1 7)" -lt 90 ] || fail "the stroke is not on the screen"

# Setup: the third button from the right of the bar.
xdotool mousemove 869 23 click 1
setup=""
for _ in $(seq 1 50); do
  setup="$(xdotool search --onlyvisible --name '^设置$' 2>/dev/null | head -n1)"
  [ -n "$setup" ] && break
  sleep 0.2
done
[ -n "$setup" ] || fail "the settings dialog did not open"
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$setup")"
echo "settings dialog at $X,$Y size ${WIDTH}x${HEIGHT}"

# The dialog is 430 x 240 dialog units; the grid lies at (13, 12) and is
# 339 x 218 of them, the OK button at (368, 11), 50 x 14.
gx=$((X + 13 * WIDTH / 430)); gy=$((Y + 12 * HEIGHT / 240))
gw=$((339 * WIDTH / 430)); gh=$((218 * HEIGHT / 240))
a=$((gw / 6)); b=$((gh / 4))
# Background 8: column 2, row 1.
xdotool mousemove $((gx + 2 * a + a / 2)) $((gy + b + b / 2)) click 1
sleep 0.3
import -window root "$work/dialog.png"
# The middle of the cell's 3-pixel band left of the thumbnail.
read -r r g bl <<<"$(mean_rgb "$work/dialog.png" $((gx + 2 * a + 5)) $((gy + b + b / 2)) 1 1)"
echo "selected cell's band: $r $g $bl"
[ "$r" = 128 ] && [ "$g" = 128 ] && [ "$bl" = 0 ] || fail "background 8 is not marked"
xdotool mousemove $((X + 393 * WIDTH / 430)) $((Y + 18 * HEIGHT / 240)) click 1

# The canvas shows background 8 (a coloured picture where 0 was white),
# with the stroke still drawn over it.
changed=0
for _ in $(seq 1 20); do
  sleep 0.3
  import -window root "$work/after.png"
  read -r r g bl <<<"$(mean_rgb "$work/after.png" 300 500 40 40)"
  if [ "$r" != 255 ] || [ "$g" != 255 ] || [ "$bl" != 255 ]; then
    changed=1
    break
  fi
done
echo "canvas at (300, 500) after Setup: $r $g $bl"
[ "$changed" = 1 ] || fail "the background did not change"
[ -z "$(xdotool search --onlyvisible --name '^设置$' 2>/dev/null)" ] || fail "the settings dialog stays open"
[ "$(darkest "$work/after.png" 400 297 1 7)" -lt 90 ] || fail "the stroke is gone after the background change"
[ "$(darkest "$work/after.png" 300 297 1 7)" -lt 90 ] || fail "the stroke is gone after the background change"

# Exit asks, and "保存" saves through the save dialog before the program
# ends: the file holds the background and the stroke (the canvas starts 46
# pixels down the screen).
exit_kolvane save "$work/saved.jpg"
[ "$(darkest "$work/saved.jpg" 400 251 1 7)" -lt 90 ] || fail "the saved picture lacks the stroke"
read -r r g bl <<<"$(mean_rgb "$work/saved.jpg" 300 454 40 40)"
echo "saved picture at (300, 454): $r $g $bl"
[ "$r" != 255 ] || [ "$g" != 255 ] || [ "$bl" != 255 ] || fail "the saved picture lacks the background"
echo "PASS"
