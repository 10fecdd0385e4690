# Shared by the gui_*.sh checks; sourced, never run. The script that sources
# it is re-run under a 1024x768 virtual X display (exit 77, "skipped", when a
# tool is missing) and gets a scratch folder $work, a `pid` that is killed at
# exit if still running, `fail`, `darkest`, `start_kolvane`, `wait_window`,
# and `exit_kolvane` (with `answer_quit_question` and `expect_ended`) to
# leave the program through Exit.

if [ "${KOLVANE_GUI_INNER:-}" != 1 ]; then
  for tool in xvfb-run xdotool import convert; do
    if ! command -v "$tool" >/dev/null 2>&1; then
      echo "SKIP: $tool is not installed"
      exit 77
    fi
  done
  export KOLVANE_GUI_INNER=1
  # The search for a free display starts at a number of this run's own, so
  # a check that follows another does not take the display number the last
  # one's server may still be giving up.
  exec xvfb-run -a -n $((100 + $$ % 800)) -s "-screen 0 1024x768x24" "$0" "$@"
fi

work="$(mktemp -d)"
pid=""
cleanup() {
  if [ -n "$pid" ] && kill -0 "$pid" 2>/dev/null; then
    kill "$pid" 2>/dev/null
  fi
  rm -rf "$work"
}
trap cleanup EXIT

fail() {
  echo "FAIL: $*"
  exit 1
}

# Darkest grey level (0..255) in a w x h box at (x, y) of a screenshot.
darkest() {
  convert "$1" -crop "$4x$5+$2+$3" +repage -colorspace gray -format '%[fx:round(minima*255)]' info:
}

# Starts the program on the real display and waits for its main window:
# sets `pid` and `wid`, or fails. Under heavy load the program's first
# connection to the virtual server was seen refused now and then while
# other clients got through; such a start is tried again, twice at most.
start_kolvane() {
  unset QT_QPA_PLATFORM
  local attempt
  for attempt in 1 2 3; do
    "$1" >"$work/out.log" 2>&1 &
    pid=$!
    wid=""
    for _ in $(seq 1 100); do
      wid="$(xdotool search --onlyvisible --name '^Kolvane \(WinXP V1\.0\)$' 2>/dev/null | head -n1)"
      [ -n "$wid" ] && break
      kill -0 "$pid" 2>/dev/null || break
      sleep 0.2
    done
    [ -n "$wid" ] && break
    kill -0 "$pid" 2>/dev/null && fail "no main window appeared"
    if [ "$attempt" = 3 ] || ! grep -q "could not connect to display" "$work/out.log"; then
      fail "kolvane ended at start: $(cat "$work/out.log")"
    fi
    sleep 0.5
  done
  sleep 0.5
}

# Waits up to 10 s for a visible window whose title matches $1 and prints
# its id; fails (returns 1) when none appears.
wait_window() {
  local w
  for _ in $(seq 1 50); do
    w="$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -n1)"
    if [ -n "$w" ]; then
      echo "$w"
      return 0
    fi
    sleep 0.2
  done
  return 1
}

# The question before quitting a picture with changes not saved ("退出"):
# waits for it, keeps a screenshot of it ($work/question.png) and presses
# one of its buttons: save ("保存"), discard ("不保存") or cancel ("取消").
# The three buttons sit in a row along the bottom right of the box, 86
# pixels apart; each must show its text (dark pixels in its middle).
answer_quit_question() {
  local q from_right
  local X Y WIDTH HEIGHT SCREEN WINDOW
  q="$(wait_window '^退出$')" || fail "no question before quitting"
  sleep 0.3
  import -window root "$work/question.png"
  eval "$(xdotool getwindowgeometry --shell "$q")"
  for from_right in 223 137 51; do
    [ "$(darkest "$work/question.png" $((X + WIDTH - from_right - 15)) $((Y + HEIGHT - 30)) 30 12)" -lt 100 ] ||
      fail "a button of the question shows no text"
  done
  case "$1" in
    save) from_right=223 ;;
    discard) from_right=137 ;;
    cancel) from_right=51 ;;
    *) fail "answer_quit_question: unknown answer $1" ;;
  esac
  xdotool mousemove $((X + WIDTH - from_right)) $((Y + HEIGHT - 24)) click 1
}

# Waits for the program to end and checks that it ended normally.
expect_ended() {
  for _ in $(seq 1 50); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
  done
  kill -0 "$pid" 2>/dev/null && fail "kolvane still runs after Exit"
  wait "$pid"
  local status=$?
  pid=""
  [ "$status" = 0 ] || fail "kolvane exited with status $status: $(cat "$work/out.log")"
}

# Presses Exit (the rightmost button of the bar) and checks that the program
# ends normally. With unsaved strokes, $1 answers the question before
# quitting: discard, or save with $2 the file to save to (typed into the save
# dialog; the file must then exist).
exit_kolvane() {
  xdotool mousemove 989 23 click 1
  if [ -n "${1:-}" ]; then
    answer_quit_question "$1"
  fi
  if [ "${1:-}" = save ]; then
    local dialog
    dialog="$(wait_window '^保存$')" || fail "the save dialog did not open"
    sleep 0.5
    xdotool windowfocus "$dialog" 2>/dev/null
    xdotool key ctrl+a
    xdotool type --delay 20 "$2"
    xdotool key Return
  fi
  expect_ended
  if [ "${1:-}" = save ]; then
    [ -s "$2" ] || fail "kolvane ended without saving $2"
  fi
}
