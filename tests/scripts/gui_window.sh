#!/usr/bin/env bash
# Starts kolvane on a 1024x768 virtual screen, checks the main window's
# place and size, draws two strokes with the X pointer, checks that their
# pixels appear on the screen, and ends the program with its Exit button:
# the question before quitting is cancelled once, then answered "不保存".
# Usage: gui_window.sh PATH-TO-KOLVANE
set -uo pipefail

program="${1:?usage: gui_window.sh PATH-TO-KOLVANE}"

# shellcheck source=gui_common.sh
source "$(dirname "$0")/gui_common.sh"

start_kolvane "$program"

eval "$(xdotool getwindowgeometry --shell "$wid")"
echo "window $wid at $X,$Y size ${WIDTH}x${HEIGHT}"
[ "$X" = 0 ] && [ "$Y" = 0 ] || fail "window at $X,$Y, expected 0,0"
[ "$WIDTH" = 1024 ] && [ "$HEIGHT" = 738 ] || fail "window ${WIDTH}x${HEIGHT}, expected 1024x738"

# The first click only takes the welcome picture away.
# Around the welcome picture the canvas is black; the bare picture is white.
xdotool mousemove 512 400 click 1
for _ in $(seq 1 20); do
  sleep 0.3
  import -window root "$work/before.png"
  [ "$(darkest "$work/before.png" 100 100 1 1)" -gt 150 ] && break
done
[ "$(darkest "$work/before.png" 100 100 1 1)" -gt 150 ] || fail "the welcome picture stays"

# A horizontal and a vertical stroke with the default pen (black, 2 pixels).
xdotool mousemove 200 300 mousedown 1
for x in $(seq 210 10 600); do xdotool mousemove "$x" 300; done
xdotool mouseup 1
sleep 0.2
xdotool mousemove 700 200 mousedown 1
for y in $(seq 210 10 550); do xdotool mousemove 700 "$y"; done
xdotool mouseup 1

# A loaded machine may take a moment to paint: look again a few times.
strokes_seen() {
  import -window root "$work/after.png"
  for spot in "400 297 1 7" "300 297 1 7" "697 400 7 1" "697 500 7 1"; do
    read -r sx sy sw sh <<<"$spot"
    before="$(darkest "$work/before.png" "$sx" "$sy" "$sw" "$sh")"
    after="$(darkest "$work/after.png" "$sx" "$sy" "$sw" "$sh")"
    echo "stroke pixels near ($sx, $sy): before $before, after $after"
    [ "$before" -gt 150 ] || fail "the spot near ($sx, $sy) was already dark"
    [ "$after" -lt 90 ] || return 1
  done
}
seen=0
for _ in $(seq 1 10); do
  sleep 0.5
  if strokes_seen; then
    seen=1
    break
  fi
done
[ "$seen" = 1 ] || fail "the drawn strokes do not appear on the screen"

# Away from the strokes nothing changed.
untouched_before="$(darkest "$work/before.png" 400 500 1 1)"
untouched_after="$(darkest "$work/after.png" 400 500 1 1)"
[ "$untouched_before" = "$untouched_after" ] || fail "pixel (400, 500) changed"

# Exit asks first, as the strokes were never saved. "取消" keeps the program
# and the strokes; "不保存" then ends it.
xdotool mousemove 989 23 click 1
answer_quit_question cancel
sleep 0.5
kill -0 "$pid" 2>/dev/null || fail "kolvane ended after 取消"
[ -z "$(xdotool search --onlyvisible --name '^退出$' 2>/dev/null)" ] || fail "the question stays after 取消"
import -window root "$work/kept.png"
[ "$(darkest "$work/kept.png" 400 297 1 7)" -lt 90 ] || fail "the strokes are gone after 取消"
if [ -n "${KOLVANE_GUI_SHOTS:-}" ]; then
  cp "$work"/*.png "$KOLVANE_GUI_SHOTS"/
fi
exit_kolvane discard
echo "PASS"
