#!/usr/bin/env bash
# Starts kolvane on a 1024x768 virtual screen and drives the tool panels with
# the X pointer: every button of the pen panel and of the pen-attribute panel
# is pressed at least once, the width slider is dragged, and a colour is
# chosen from the palette. A stroke drawn afterwards must show that colour
# and that width on the screen. Exit, answered "不保存", ends the program.
# Usage: gui_panels.sh PATH-TO-KOLVANE
set -uo pipefail

program="${1:?usage: gui_panels.sh PATH-TO-KOLVANE}"

# The virtual display, $work, `pid`, `fail` and the start and Exit helpers.
# shellcheck source=gui_common.sh
source "$(dirname "$0")/gui_common.sh"

shot() {
  import -window root "$work/$1.png"
}

# "r g b" of one screen pixel in a screenshot.
rgb() {
  convert "$1" -crop "1x1+$2+$3" +repage -format '%[fx:round(r*255)] %[fx:round(g*255)] %[fx:round(b*255)]' info:
}

# True when a w x h box at (x, y) differs between two screenshots.
box_changed() {
  local a b
  a="$(convert "$1" -crop "$5x$6+$3+$4" +repage -format '%#' info:)"
  b="$(convert "$2" -crop "$5x$6+$3+$4" +repage -format '%#' info:)"
  [ "$a" != "$b" ]
}

# Presses at (x, y) and waits until the box (bx, by, bw, bh) of the screen
# changes; fails with the message when it does not.
press_expect_change() {
  local x="$1" y="$2" bx="$3" by="$4" bw="$5" bh="$6" what="$7"
  shot before
  xdotool mousemove "$x" "$y" click 1
  for _ in $(seq 1 15); do
    sleep 0.2
    shot after
    box_changed "$work/before.png" "$work/after.png" "$bx" "$by" "$bw" "$bh" && return 0
  done
  fail "$what: nothing changed on the screen"
}

is_red() {
  read -r r g b <<<"$1"
  [ "$r" -gt 200 ] && [ "$g" -lt 70 ] && [ "$b" -lt 70 ]
}

start_kolvane "$program"

# The first click on the canvas only takes the welcome picture away.
xdotool mousemove 512 400 click 1
sleep 0.5

# Pen panel (x 0..340): button centres at y 23; the attribute panel starts at
# x 341. The solid button, pressed while its pen is current, switches between
# the single-colour and multicolour variants, which shows in the attribute
# panel; every other press shows the pressed button's selected face.
for x in 26 26; do
  press_expect_change "$x" 23 341 0 296 46 "solid pen button (variant)"
done
echo "solid pen: multicolour and back"
for x in 67 108 149 190 231 272 313; do
  press_expect_change "$x" 23 $((x - 20)) 3 40 40 "pen button at x $x"
  echo "pen button at x $x: selected"
done
# The eraser hides the attribute panel: the bar's grey shows there.
[ "$(rgb "$work/after.png" 367 23)" = "82 82 82" ] || fail "the attribute panel stays with the eraser"
# The stamp pressed twice: its variant first, then, being current, it asks
# for a symbol. Esc leaves a symbol picker unchanged if one opens; the main
# window itself ignores Esc.
xdotool mousemove 272 23 click 1
sleep 0.3
xdotool mousemove 272 23 click 1
sleep 0.5
xdotool key Escape
sleep 0.3
kill -0 "$pid" 2>/dev/null || fail "kolvane ended after the stamp button"

# Back to the solid pen (its button remembers the single-colour variant).
press_expect_change 26 23 6 3 40 40 "solid pen button"

# Attribute panel buttons, in window coordinates (panel x + 341).
# Colour button 1 becomes the selected colour.
press_expect_change 407 23 387 3 40 40 "colour button 1"
# Recognition on and off again; the multicolour switch there and back.
press_expect_change 572 23 552 3 40 40 "recognition switch"
press_expect_change 572 23 552 3 40 40 "recognition switch (off)"
press_expect_change 612 23 592 3 40 40 "multicolour switch"
press_expect_change 612 23 592 3 40 40 "multicolour switch (back)"

# Width: the thumb (panel x 129..153) dragged far right, let go outside the
# panel: width 16.
xdotool mousemove 482 23 mousedown 1
for x in $(seq 500 40 900); do xdotool mousemove "$x" 100; done
xdotool mouseup 1
sleep 0.3

# A second press on the selected colour button opens the palette, centred on
# the window (692 x 156 at 166, 291); its cell 48 (row 3, column 0) is red.
open_palette() {
  xdotool mousemove 407 23 click 1
  for _ in $(seq 1 15); do
    sleep 0.2
    shot palette
    if [ "$(rgb "$work/palette.png" 168 293)" = "82 82 82" ] && \
       is_red "$(rgb "$work/palette.png" 197 420)"; then
      return 0
    fi
  done
  fail "the palette did not open centred on the window"
}
palette_closed() {
  for _ in $(seq 1 15); do
    sleep 0.2
    shot closed
    [ "$(rgb "$work/closed.png" 168 293)" = "255 255 255" ] && return 0
  done
  fail "the palette stays open after $1"
}
# A press outside the palette cancels it, and so does Esc; neither changes
# the colour.
open_palette
xdotool mousemove 60 650 click 1
palette_closed "a press outside it"
open_palette
xdotool key Escape
palette_closed "Esc"
is_red "$(rgb "$work/closed.png" 407 23)" && fail "a cancelled palette changed the colour"
echo "palette cancelled by a press outside and by Esc"
open_palette
echo "palette open"
xdotool mousemove 197 420 click 1
sleep 0.5
shot chosen
is_red "$(rgb "$work/chosen.png" 407 23)" || fail "colour button 1 does not show the chosen red"

# A horizontal stroke at y 300: red, 16 pixels wide.
xdotool mousemove 200 300 mousedown 1
for x in $(seq 210 10 600); do xdotool mousemove "$x" 300; done
xdotool mouseup 1
drawn=0
for _ in $(seq 1 10); do
  sleep 0.5
  shot stroke
  if is_red "$(rgb "$work/stroke.png" 400 300)"; then
    drawn=1
    break
  fi
done
[ "$drawn" = 1 ] || fail "the stroke is not drawn in the chosen red"
for y in 294 306; do
  is_red "$(rgb "$work/stroke.png" 400 "$y")" || fail "the stroke is thinner than 16 pixels at y $y"
done
for y in 286 314; do
  is_red "$(rgb "$work/stroke.png" 400 "$y")" && fail "the stroke is wider than 16 pixels at y $y"
done
echo "stroke drawn in red, 16 pixels wide"

# The stroke was never saved: Exit asks, and "不保存" ends the program.
exit_kolvane discard
echo "PASS"
