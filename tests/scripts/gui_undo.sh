#!/usr/bin/env bash
# Starts kolvane on a 1024x768 virtual screen, draws two strokes with the X
# pointer, undoes the second with Ctrl+Z and checks a screenshot no longer
# shows it, redoes it with Ctrl+Y and checks it is back, then undoes it once
# more from the canvas's right-click menu, and ends with the Exit button.
# Usage: gui_undo.sh PATH-TO-KOLVANE
set -uo pipefail

program="${1:?usage: gui_undo.sh PATH-TO-KOLVANE}"

# The virtual display, $work, `pid`, `fail` and `darkest`.
. "$(dirname "$0")/gui_common.sh"

unset QT_QPA_PLATFORM
"$program" >"$work/out.log" 2>&1 &
pid=$!

wid=""
for _ in $(seq 1 100); do
  wid="$(xdotool search --onlyvisible --name '^Kolvane \(WinXP V1\.0\)$' 2>/dev/null | head -n1)"
  [ -n "$wid" ] && break
  kill -0 "$pid" 2>/dev/null || fail "kolvane ended at start: $(cat "$work/out.log")"
  sleep 0.2
done
[ -n "$wid" ] || fail "no main window appeared"
sleep 0.5


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

xdotool mousemove 989 23 click 1
for _ in $(seq 1 50); do
  kill -0 "$pid" 2>/dev/null || break
  sleep 0.2
done
kill -0 "$pid" 2>/dev/null && fail "kolvane still runs after Exit"
wait "$pid"
status=$?
pid=""
[ "$status" = 0 ] || fail "kolvane exited with status $status"
echo "PASS"
