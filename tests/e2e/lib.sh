# Shared by the end-to-end scripts: a work folder, a virtual display of its own, and ways to wait for the
# game's windows, drive them as a player would and see what they show. Sourced, not run.
TITLE="ずなかタイピング"
WORK=$(mktemp -d)
# The server is waited for: one still shutting down would answer the next script on the same display
# number and then vanish under it. E2E_SHOTS=folder keeps the screenshots a script looked at. The
# script's own status is kept: the trap's last command would otherwise become it.
trap 'rc=$?; kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null || true
      [ -n "${E2E_SHOTS:-}" ] && mkdir -p "$E2E_SHOTS" && cp "$WORK"/*.png "$E2E_SHOTS"/ 2>/dev/null || true
      rm -rf "$WORK"; exit $rc' EXIT
# Each script has a runtime folder of its own, so scripts can run side by side without tripping the
# single-instance lock; the records of the games played go to the work folder, never to the home of
# whoever runs the tests.
export XDG_RUNTIME_DIR=$WORK/run XDG_DATA_HOME=$WORK/data SDL_AUDIODRIVER=dummy
mkdir -m 700 "$XDG_RUNTIME_DIR"
PROGRAM_DIR=

fail() {
  echo "FAIL: $*" >&2
  for log in err xvfb.log; do [ -s "$WORK/$log" ] && sed "s/^/  $log: /" "$WORK/$log" >&2; done
  exit 1
}

# Runs the command every 0.1 s until it succeeds, at most `tries` times; the status of the last try.
poll() {
  local tries=$1; shift
  for _ in $(seq "$tries"); do "$@" && return 0; sleep 0.1; done
  return 1
}

# "key=value key=value" -> the value of one key.
field() { echo "$1" | tr ' ' '\n' | sed -n "s/^$2=//p"; }

# zunaka_e2e_probe on the program's data folder: the script sets PROBE and PROGRAM_DIR.
probe() { "$PROBE" "$PROGRAM_DIR" "$@"; }

start_display() {
  # The server picks a free display itself. -noreset: by default it resets when its last client leaves,
  # and the probe is such a client; a program connecting during that reset is turned away.
  Xvfb -displayfd 3 -noreset -screen 0 "${SCREEN:-1024x768}x24" -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
  poll 100 [ -s "$WORK/display" ] || fail "no virtual display"
  export DISPLAY=":$(cat "$WORK/display")"
  poll 100 xdpyinfo >/dev/null 2>&1 || fail "the virtual display does not answer"
}

# The visible windows that carry the game's caption, one id a line; only process WINDOWS_OF's when set.
game_windows() {
  xdotool search --all --onlyvisible ${WINDOWS_OF:+--pid "$WINDOWS_OF"} --name "$TITLE" 2>/dev/null || true
}
windows_are() { IDS=$(game_windows); [ "$(echo -n "$IDS" | grep -c .)" -eq "$1" ] && [ "$IDS" != "${2:-}" ]; }

# Waits until `count` visible windows carry the game's caption; prints their ids.
wait_windows() {
  poll 100 windows_are "$1" || fail "expected $1 visible window(s), have: $(game_windows | grep -c .)"
  echo "$IDS"
}

# Waits until the one visible window is no longer `old` (the title has handed over); prints its id.
wait_handover() {
  poll "${2:-100}" windows_are 1 "$1" || fail "the main window did not take over from the title"
  echo "$IDS"
}

# Waits for the process to end and returns its exit status.
gone() { ! kill -0 "$1" 2>/dev/null; }
wait_exit() { poll 100 gone "$1" || fail "process $1 did not end"; wait "$1"; }

# Ctrl+Q to the main window; the program must end with status 0. A key sent while the X server is busy
# can go out before the focus has moved, so a Ctrl+Q left unheard for 5 s is sent once more; a program
# that hangs on its way out fails all the same.
quit_game() {
  local rc=0
  press "$1" ctrl+q
  poll 50 gone "$PID" || { echo "Ctrl+Q unheard for 5 s: sent again" >&2; press "$1" ctrl+q; }
  wait_exit "$PID" || rc=$?
  [ "$rc" -eq 0 ] || fail "quitting ended with status $rc"
}

# Waits until the file holds `text`.
wait_text() { poll 100 grep -q "$2" "$1" 2>/dev/null || fail "no \"$2\" in $1: $(cat "$1" 2>/dev/null)"; }

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
# given (Right to the menu, Down into it and to the item, Return). The keys queue behind the tap in order.
choose() { press "$1" alt; shift; xdotool key --delay 100 "$@"; sleep 0.3; }

# The rows of the choice menu `rights` menus right of ファイル that carry a check mark, counted from 1 in
# a menu of `items` rows: opened from the keyboard, read off its window once two looks in a row agree,
# and closed again. The style draws a box before every checkable item and a dark tick in the checked
# ones; nothing else is dark there.
marks() {
  local rights=$1 items=$2 shot=$WORK/menu-$1.png
  rm -f "$shot"; press "$main" alt
  xdotool key $(printf 'Right %.0s' $(seq "$rights")) Down
  poll 50 settled "$shot" || fail "menu $rights did not open"
  xdotool key Escape Escape
  local h; h=$(identify -format %h "$shot")
  convert "$shot" -crop "24x$h+2+0" -colorspace gray -threshold 30% -negate -scale "1x$h!" -depth 8 txt:- |
    awk -F'[,:]' -v n="$items" -v h="$h" 'NR > 1 { split($3, v, /[()]/) }
      NR > 1 && v[2] > 0 && (row = int($2 * n / h) + 1) != last { printf "%s%d", sep, row; sep = " "; last = row }'
}
settled() {
  local menu
  menu=$(xdotool search --onlyvisible --pid "$PID" --name '^zunaka$' | grep -vx "$main" | head -1)
  [ -n "$menu" ] && import -window "$menu" "$WORK/look.png" || return 1
  [ -f "$1" ] && [ "$(compare -metric AE "$1" "$WORK/look.png" null: 2>&1)" = 0 ] && return 0
  cp "$WORK/look.png" "$1"; return 1
}

# What the probe looks at: a window id, or the name of a function that prints one afresh (a screenshot).
at() { if declare -F "$1" >/dev/null; then "$1"; else echo "$1"; fi; }

# Types `keys` round after round, a key every `delay`/2 ms, into the game on `where` until the strip
# shows a caught mole; CAUGHT is then the caught count. Ten rounds without one fail.
type_until_caught() {
  local where=$1 delay=$2 keys=${3:-'asdfghjkl;:]'} counts
  for _ in $(seq 10); do
    xdotool type --delay "$delay" "$keys"
    counts=$(probe counts "$(at "$where")")
    CAUGHT=$(field "$counts" strip); CAUGHT=${CAUGHT#*/}
    [ "$CAUGHT" != none ] && [ "$CAUGHT" -gt 0 ] && { echo "$counts"; return 0; }
  done
  fail "no mole caught in ten rounds of $keys: $counts"
}

# Waits until `where` shows the bare background; the probe keeps what it saw last as WHAT.png.
bare_now() { [ "$(probe bare "$(at "$1")" "$WORK/$2.png")" = differs=0 ]; }
bare() { poll 20 bare_now "$1" "$2" || fail "$2: the field is not bare"; }

# Waits until `where` shows the guide page with its OK button.
guide_now() {
  PAGE=$(probe help "$(at "$1")" "$WORK/help.png")
  [ "$(field "$PAGE" page)" -eq 0 ] && [ "$(field "$PAGE" button)" -gt 0 ]
}
guide_page() { poll 20 guide_now "$1" || fail "the guide page differs: $PAGE"; }

# Clicks the main window's client area, its lower 640 x 480 pixels, at x y: 580 455 is the OK button of
# the guide and records pages.
click_main() {
  local height
  height=$(xdotool getwindowgeometry --shell "$main" | sed -n 's/^HEIGHT=//p')
  xdotool mousemove --window "$main" "$1" $((height - 480 + $2)) click 1
}

# A copy of the program with its sound module beside a copy of its data folder, in `dir`: the program
# finds both beside itself.
copy_program() {
  mkdir -p "$3"
  cp "$1" "$(dirname "$1")/zunaka-audio.so" "$3/"
  cp -r "$2" "$3/Deta"
}

# Starts openbox, a window manager as small desktops have, and waits until it manages the screen. It
# frames windows after they are mapped and gives the frame in each window's _NET_FRAME_EXTENTS. It names
# itself before it has set the work area, so both are waited for.
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' && xprop -root _NET_WORKAREA | grep -q ' = '; } 2>/dev/null
start_wm() {
  openbox --sm-disable >"$WORK/wm.log" 2>&1 &
  poll 100 wm_ready || fail "the window manager did not start"
}

# "X Y WIDTH HEIGHT" of a window with its frame: where the window stands, grown by its _NET_FRAME_EXTENTS;
# nothing while the window manager has not framed it.
frame_of() {
  local l r t b
  read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ',') || true
  [ -n "$b" ] || return 0
  xwininfo -id "$1" | awk -v l="$l" -v r="$r" -v t="$t" -v b="$b" '/Absolute upper-left X/ { x = $NF }
    /Absolute upper-left Y/ { y = $NF } /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x - l, y - t, w + l + r, h + t + b }'
}

# Waits until window `id`'s frame lies inside the work area the window manager gives (the screen less
# its panels), on the first desktop, where the game opens; the game learns the frame only once the
# window is framed, and then fits and centres it.
inside() {
  read -r fx fy fw fh < <(frame_of "$1") || true
  [ -n "$fh" ] && [ "$fx" -ge "$ax" ] && [ "$fy" -ge "$ay" ] && [ $((fx + fw)) -le $((ax + aw)) ] && [ $((fy + fh)) -le $((ay + ah)) ]
}
wait_inside() {
  local fx fy fw fh ax ay aw ah
  read -r ax ay aw ah _ < <(xprop -root _NET_WORKAREA | sed -n 's/.*= //p' | tr -d ',') || true
  [ -n "$ah" ] || fail "the window manager gives no work area"
  poll 50 inside "$1" || fail "$2: ${fw}x${fh}+${fx}+${fy} with its frame, outside the work area ${aw}x${ah}+${ax}+${ay}"
  echo "$2: ${fw}x${fh}+${fx}+${fy} with its frame, work area ${aw}x${ah}+${ax}+${ay}"
}

# Waits until window `id` is (yes) or is not (no) full screen.
full_screen_is() { [ "$(xprop -id "$1" _NET_WM_STATE | grep -c _NET_WM_STATE_FULLSCREEN)" = "$2" ]; }
wait_full_screen() {
  poll 50 full_screen_is "$1" "$([ "$2" = yes ] && echo 1 || echo 0)" || fail "window $1: full screen is not '$2'"
}
