#!/usr/bin/env bash
# Starts kolvane on a 1024x768 virtual screen, draws two strokes with the X
# pointer, undoes the second with Ctrl+Z and checks a screenshot no longer
# shows it, redoes it with Ctrl+Y and checks it is back, then undoes it once
# more from the canvas's right-click menu, and ends with the Exit button,
# answering "不保存" to the question before quitting.
# Usage: gui_undo.sh PATH-TO-KOLVANE
set -uo pipefail

program="${1:?usage: gui_undo.sh PATH-TO-KOLVANE}"

# The virtual display, $work, `pid`, `fail`, `darkest` and the start and
# Exit helpers.
. "$(dirname "$0")/gui_common.sh"

start_kolvane "$program"

# The first click only takes the welcome picture away.
xdotool mousemove 512 400 click 1
for _ in $(seq 1 20); do
  sleep 0.3
  import -window root "$work/start.png"
  [ "$(darkest "$work/start.png" 100 100 1 1)" -gt 150 ] && break
done
[ "$(darkest "$work/start.png" 100 100 1 1)" -gt 150 ] || fail "the welcome picture stays"

# A horizontal and then a vertical stroke with the default pen.
xdotool mousemove 200 300 mousedown 1
for x in $(seq 210 10 600); do xdotool mousemove "$x" 300; done
xdotool mouseup 1
sleep 0.2
xdotool mousemove 700 200 mousedown 1
for y in $(seq 210 10 550); do xdotool mousemove 700 "$y"; done
xdotool mouseup 1
xdotool mousemove 850 650

# Waits until the screenshot $1 shows the first stroke and shows (want=1) or
# lacks (want=0) the second one.
expect_second() {
  local shot="$1" want="$2" first second
  for _ in $(seq 1 12); do
    sleep 0.4
    import -window root "$shot"
    first="$(darkest "$shot" 400 297 1 7)"
    second="$(darkest "$shot" 697 400 7 1)"
    echo "$(basename "$shot"): first stroke $first, second stroke $second"
    if [ "$first" -lt 90 ]; then
      if [ "$want" = 1 ] && [ "$second" -lt 90 ]; then return 0; fi
      if [ "$want" = 0 ] && [ "$second" -gt 150 ]; then return 0; fi
    fi
  done
  return 1
}

expect_second "$work/drawn.png" 1 || fail "the two strokes do not appear"
xdotool key ctrl+z
expect_second "$work/undone.png" 0 || fail "Ctrl+Z did not take the second stroke away"
xdotool key ctrl+y
expect_second "$work/redone.png" 1 || fail "Ctrl+Y did not bring the second stroke back"

# The right-click menu opens at the pointer; its first entry is the undo.
xdotool mousemove 500 550 click 3
sleep 0.8
import -window root "$work/menu.png"
xdotool mousemove 530 562 click 1
expect_second "$work/menu-undone.png" 0 || fail "the menu's undo did not take the second stroke away"

if [ -n "${KOLVANE_GUI_SHOTS:-}" ]; then
  cp "$work"/*.png "$KOLVANE_GUI_SHOTS"/
fi

# The strokes were never saved: Exit asks, and "不保存" ends the program.
exit_kolvane discard
echo "PASS"
