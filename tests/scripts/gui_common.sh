# Shared by the gui_*.sh checks; sourced, never run. The script that sources
# it is re-run under a 1024x768 virtual X display (exit 77, "skipped", when a
# tool is missing) and gets a scratch folder $work, a `pid` that is killed at
# exit if still running, `fail` and `darkest`.

if [ "${KOLVANE_GUI_INNER:-}" != 1 ]; then
  for tool in xvfb-run xdotool import convert; do
    if ! command -v "$tool" >/dev/null 2>&1; then
      echo "SKIP: $tool is not installed"
      exit 77
    fi
  done
  export KOLVANE_GUI_INNER=1
  exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
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
# sets `pid` and `wid`, or fails.
start_kolvane() {
  unset QT_QPA_PLATFORM
  "$1" >"$work/out.log" 2>&1 &
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
}
