# Shared by the end-to-end scripts: a private virtual display and the game's windows on it. Sourced, not
# run; expects WORK (a scratch folder, removed by the caller) and TITLE (the windows' caption).

fail() {
  echo "FAIL: $*" >&2
  [ -s "$WORK/err" ] && sed "s/^/  program: /" "$WORK/err" >&2
  [ -s "$WORK/xvfb.log" ] && sed "s/^/  xvfb: /" "$WORK/xvfb.log" >&2
  exit 1
}

start_display() {
  # The server picks a free display itself. -noreset: by default it resets when its last client leaves,
  # and the probe below is such a client; a program connecting during that reset is turned away.
  Xvfb -displayfd 3 -noreset -screen 0 "${SCREEN:-1024x768}x24" -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
  for _ in $(seq 100); do
    if [ -s "$WORK/display" ]; then
      export DISPLAY=":$(cat "$WORK/display")"
      xdpyinfo >/dev/null 2>&1 && return 0
    fi
    sleep 0.1
  done
  fail "no virtual display"
}

# Waits until `count` visible windows carry the game's caption; prints their ids.
wait_windows() {
  local count=$1 ids
  for _ in $(seq 100); do
    ids=$(xdotool search --onlyvisible --name "$TITLE" 2>/dev/null || true)
    [ "$(echo -n "$ids" | grep -c .)" -eq "$count" ] && { echo "$ids"; return 0; }
    sleep 0.1
  done
  fail "expected $count visible window(s), have: $(echo -n "$ids" | grep -c .)"
}

# Waits until the one visible window is no longer `old` (the title has handed over); prints its id.
wait_handover() {
  local old=$1 tries=${2:-100} ids
  for _ in $(seq "$tries"); do
    ids=$(xdotool search --onlyvisible --name "$TITLE" 2>/dev/null || true)
    [ "$(echo -n "$ids" | grep -c .)" -eq 1 ] && [ "$ids" != "$old" ] && { echo "$ids"; return 0; }
    sleep 0.1
  done
  fail "the main window did not take over from the title"
}

wait_exit() {
  local pid=$1
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || { wait "$pid"; return $?; }; sleep 0.1; done
  fail "process $pid did not end"
}

# Starts the game in the background; its standard error goes to $WORK/err.
launch() { "$1" 2>"$WORK/err" & PID=$!; }

press() { xdotool windowfocus --sync "$1" 2>/dev/null || true; xdotool key "$2"; }

# Clicks the title away and waits for the main window; prints its id. The pointer stays over the main
# window: without a window manager the keyboard focus follows the pointer.
skip_title() {
  local title main
  title=$(wait_windows 1)
  xdotool mousemove --window "$title" 200 200 click 1
  main=$(wait_handover "$title")
  xdotool mousemove --window "$main" 320 300
  echo "$main"
}

# Chooses a menu item with the keyboard alone: a tap of Alt opens the menu bar at ファイル, then the keys
# given (Right to the menu, Down into it and to the item, Return).
choose() {
  local window=$1; shift
  press "$window" alt; sleep 0.3
  xdotool key --delay 100 "$@"; sleep 0.3
}
