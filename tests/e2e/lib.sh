# Shared by the end-to-end scripts: a work folder, a virtual display of its own, and ways to wait for the
# game's windows and drive them as a player would. Sourced, not run.
TITLE="ずなかタイピング"
WORK=$(mktemp -d)
# The server is waited for: one still shutting down would answer the next script on the same display
# number and then vanish under it. E2E_SHOTS=folder keeps the screenshots a script looked at.
trap 'kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null || true
      [ -n "${E2E_SHOTS:-}" ] && mkdir -p "$E2E_SHOTS" && cp "$WORK"/*.png "$E2E_SHOTS"/ 2>/dev/null
      rm -rf "$WORK"' EXIT
# Each script has a runtime folder of its own, so scripts can run side by side without tripping the
# single-instance lock.
export XDG_RUNTIME_DIR=$WORK/run SDL_AUDIODRIVER=dummy
mkdir -m 700 "$XDG_RUNTIME_DIR"
# The records of the games played go to the work folder, never to the home of whoever runs the tests.
export XDG_DATA_HOME=$WORK/data

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

# The visible windows that carry the game's caption, one id a line; only process WINDOWS_OF's when set.
game_windows() {
  if [ -n "${WINDOWS_OF:-}" ]; then
    xdotool search --all --onlyvisible --pid "$WINDOWS_OF" --name "$TITLE" 2>/dev/null || true
  else
    xdotool search --onlyvisible --name "$TITLE" 2>/dev/null || true
  fi
}

# Waits until `count` visible windows carry the game's caption; prints their ids.
wait_windows() {
  local count=$1 ids
  for _ in $(seq 100); do
    ids=$(game_windows)
    [ "$(echo -n "$ids" | grep -c .)" -eq "$count" ] && { echo "$ids"; return 0; }
    sleep 0.1
  done
  fail "expected $count visible window(s), have: $(echo -n "$ids" | grep -c .)"
}

# Waits until the one visible window is no longer `old` (the title has handed over); prints its id.
wait_handover() {
  local old=$1 tries=${2:-100} ids
  for _ in $(seq "$tries"); do
    ids=$(game_windows)
    [ "$(echo -n "$ids" | grep -c .)" -eq 1 ] && [ "$ids" != "$old" ] && { echo "$ids"; return 0; }
    sleep 0.1
  done
  fail "the main window did not take over from the title"
}

# Waits for the process to end and returns its exit status.
wait_exit() {
  local pid=$1
  for _ in $(seq 100); do kill -0 "$pid" 2>/dev/null || { wait "$pid"; return $?; }; sleep 0.1; done
  fail "process $pid did not end"
}

# Ctrl+Q to the main window; the program must end with status 0. A key sent while the X server is busy
# can go out before the focus has moved, so a Ctrl+Q left unheard for 5 s is sent once more; a program
# that hangs on its way out fails all the same.
quit_game() {
  local rc=0
  press "$1" ctrl+q
  for _ in $(seq 50); do kill -0 "$PID" 2>/dev/null || break; sleep 0.1; done
  if kill -0 "$PID" 2>/dev/null; then echo "Ctrl+Q unheard for 5 s: sent again" >&2; press "$1" ctrl+q; fi
  wait_exit "$PID" || rc=$?
  [ "$rc" -eq 0 ] || fail "quitting ended with status $rc: $(cat "$WORK/err" 2>/dev/null)"
}

# Waits until the file holds `text`.
wait_text() {
  local file=$1 text=$2
  for _ in $(seq 100); do grep -q "$text" "$file" 2>/dev/null && return 0; sleep 0.1; done
  fail "no \"$text\" in $file: $(cat "$file" 2>/dev/null)"
}

# Starts the game in the background; its standard error goes to $WORK/err.
launch() { "$1" 2>"$WORK/err" & PID=$!; }

press() { xdotool windowfocus --sync "$1" 2>/dev/null || true; xdotool key "$2"; }

# Clicks the title away and waits for the main window; prints its id. The pointer stays over the main
# window: without a window manager the keyboard focus follows the pointer.
past_title() {
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

# A copy of the program with its sound module beside a copy of its data folder, in `dir`: the program
# finds both beside itself.
copy_program() {
  local bin=$1 deta=$2 dir=$3
  mkdir -p "$dir"
  cp "$bin" "$dir/zunaka"
  cp "$(dirname "$bin")/zunaka-audio.so" "$dir/"
  cp -r "$deta" "$dir/Deta"
}

# Starts openbox, a window manager as small desktops have, and waits until it manages the screen. It
# frames windows after they are mapped and gives the frame in each window's _NET_FRAME_EXTENTS. It names
# itself before it has set the work area, so both are waited for.
start_wm() {
  openbox --sm-disable >"$WORK/wm.log" 2>&1 &
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' &&
      xprop -root _NET_WORKAREA 2>/dev/null | grep -q ' = ' && return 0
    sleep 0.1
  done
  fail "the window manager did not start"
}

# "X Y WIDTH HEIGHT" of a window with its frame: where the window stands, grown by its _NET_FRAME_EXTENTS;
# nothing while the window manager has not framed it.
frame_of() {
  local x y w h l r t b
  read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ',') || true
  [ -n "$b" ] || return 0
  read -r x y w h < <(xwininfo -id "$1" | awk '/Absolute upper-left X/ { x = $NF } /Absolute upper-left Y/ { y = $NF }
                                             /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x, y, w, h }')
  echo $((x - l)) $((y - t)) $((w + l + r)) $((h + t + b))
}

# Waits until window `id`'s frame lies inside the work area the window manager gives (the screen less
# its panels); the game learns the frame only once the window is framed, and then fits and centres it.
wait_inside() {
  local id=$1 what=$2 fx fy fw fh ax ay aw ah
  # One area for each desktop; the game opens on the first.
  read -r ax ay aw ah _ < <(xprop -root _NET_WORKAREA | sed -n 's/.*= //p' | tr -d ',') || true
  [ -n "$ah" ] || fail "the window manager gives no work area"
  for _ in $(seq 50); do
    read -r fx fy fw fh < <(frame_of "$id") || true
    [ -n "$fh" ] && [ "$fx" -ge "$ax" ] && [ "$fy" -ge "$ay" ] && [ $((fx + fw)) -le $((ax + aw)) ] && [ $((fy + fh)) -le $((ay + ah)) ] && {
      echo "$what: ${fw}x${fh}+${fx}+${fy} with its frame ($(xprop -id "$id" _NET_FRAME_EXTENTS | sed -n 's/.*= //p')), work area ${aw}x${ah}+${ax}+${ay}"
      return 0
    }
    sleep 0.1
  done
  fail "$what: ${fw}x${fh}+${fx}+${fy} with its frame, outside the work area ${aw}x${ah}+${ax}+${ay}"
}

# Waits until window `id` is (yes) or is not (no) full screen.
wait_full_screen() {
  for _ in $(seq 50); do
    if xprop -id "$1" _NET_WM_STATE | grep -q _NET_WM_STATE_FULLSCREEN; then [ "$2" = yes ] && return 0
    else [ "$2" = no ] && return 0; fi
    sleep 0.1
  done
  fail "window $1: full screen is not '$2'"
}
