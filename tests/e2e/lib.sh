# Sourced by the end-to-end scripts: a work folder, a virtual display, and ways to wait for the game's
# windows, drive them as a player would and see what they show.
TITLE="ずなかタイピング"
WORK=$(mktemp -d)
# The server is waited for: one still shutting down would answer the next script on the same display
# number and then vanish under it. E2E_SHOTS=folder keeps the screenshots a script looked at.
trap 'rc=$?; kill $(jobs -p) 2>/dev/null || true; wait 2>/dev/null || true
      [ -n "${E2E_SHOTS:-}" ] && mkdir -p "$E2E_SHOTS" && cp "$WORK"/*.png "$E2E_SHOTS"/ 2>/dev/null || true
      rm -rf "$WORK"; exit $rc' EXIT
# A runtime folder of its own lets scripts run side by side without tripping the single-instance lock;
# the records of the games played stay in the work folder, out of the tester's home.
export XDG_RUNTIME_DIR=$WORK/run XDG_DATA_HOME=$WORK/data SDL_AUDIODRIVER=dummy
mkdir -m 700 "$XDG_RUNTIME_DIR"
# Another user, where one is needed, is `nobody` when the tests run as root.
AS_NOBODY=(); [ "$(id -u)" -ne 0 ] || AS_NOBODY=(setpriv --reuid=nobody --regid=nogroup --clear-groups)

fail() { echo "FAIL: $*" >&2; for log in err xvfb.log; do [ -s "$WORK/$log" ] && sed "s/^/  $log: /" "$WORK/$log" >&2; done; exit 1; }

# Runs the command every 0.1 s until it succeeds, at most `tries` times.
poll() { for _ in $(seq "$1"); do "${@:2}" && return 0; sleep 0.1; done; return 1; }

# "key=value key=value" -> the value of one key.
field() { echo "$1" | tr ' ' '\n' | sed -n "s/^$2=//p"; }
# zunaka_e2e_probe (PROBE) on the data folder in PROGRAM_DIR; where it looks is a window id, or the name
# of a function that prints one afresh (a screenshot).
probe() { "$PROBE" "$PROGRAM_DIR" "$@"; }
at() { if declare -F "$1" >/dev/null; then "$1"; else echo "$1"; fi; }

start_display() {
  # The server picks a free display itself. -noreset: by default it resets when its last client leaves,
  # and the probe is such a client; a program connecting during that reset is turned away.
  Xvfb -displayfd 3 -noreset -screen 0 "${SCREEN:-1024x768}x24" -nolisten tcp 3>"$WORK/display" >"$WORK/xvfb.log" 2>&1 &
  poll 100 [ -s "$WORK/display" ] && export DISPLAY=":$(cat "$WORK/display")" && poll 100 xdpyinfo >/dev/null 2>&1 ||
    fail "no virtual display"
}

# Waits until `count` visible windows, none `old`, carry the game's caption (only process WINDOWS_OF's,
# when set), for at most `tries` tenths of a second; prints their ids.
windows_are() {
  IDS=$(xdotool search --all --onlyvisible ${WINDOWS_OF:+--pid "$WINDOWS_OF"} --name "$TITLE" 2>/dev/null || true)
  [ "$(echo -n "$IDS" | grep -c .)" -eq "$1" ] && ! grep -qx "${2:-none}" <<<"$IDS"
}
wait_windows() { poll "${3:-100}" windows_are "$1" "${2:-}" || fail "not $1 new visible window(s): $IDS"; echo "$IDS"; }

# Waits for the process to end; its exit status.
gone() { ! kill -0 "$1" 2>/dev/null; }
wait_exit() { poll 100 gone "$1" || fail "process $1 did not end"; wait "$1"; }

# Ctrl+Q must end the program with status 0. A key sent while the X server is busy can go out before the
# focus has moved: a Ctrl+Q unheard for 5 s is sent once more.
quit_game() { press "$1" ctrl+q; poll 50 gone "$PID" || press "$1" ctrl+q; wait_exit "$PID" || fail "quit with status $?"; }

wait_text() { poll 100 grep -q "$2" "$1" 2>/dev/null || fail "no \"$2\" in $1: $(cat "$1" 2>/dev/null)"; }

launch() { "$1" 2>"$WORK/err" & PID=$!; }
press() { xdotool windowfocus --sync "$1" 2>/dev/null || true; xdotool key "$2"; }

# Clicks the title away and waits for the main window; prints its id. The pointer stays over the main
# window: without a window manager the keyboard focus follows the pointer.
past_title() {
  local title; title=$(wait_windows 1)
  xdotool mousemove --window "$title" 200 200 click 1
  main=$(wait_windows 1 "$title") && xdotool mousemove --window "$main" 320 300 && echo "$main"
}

# Chooses a menu item with the keyboard alone: a tap of Alt opens the menu bar at ファイル, then the keys
# given (Right to the menu, Down into it and to the item, Return) queue behind it in order.
choose() { press "$1" alt; shift; xdotool key --delay 100 "$@"; sleep 0.3; }

# The checked rows (from 1, of `items`) of the menu `rights` menus right of ファイル, opened from the
# keyboard and read once two looks agree: the style draws a box before each checkable item, a dark tick in it.
marks() {
  local shot=$WORK/menu-$1.png h
  rm -f "$shot"; press "$main" alt
  xdotool key $(printf 'Right %.0s' $(seq "$1")) Down
  poll 50 settled "$shot" || fail "menu $1 did not open"
  xdotool key Escape Escape
  h=$(identify -format %h "$shot")
  convert "$shot" -crop "24x$h+2+0" -colorspace gray -threshold 30% -negate -scale "1x$h!" -depth 8 txt:- |
    awk -F'[,:]' -v n="$2" -v h="$h" 'NR > 1 { split($3, v, /[()]/) }
      NR > 1 && v[2] > 0 && (row = int($2 * n / h) + 1) != last { printf "%s%d", sep, row; sep = " "; last = row }'
}
settled() {
  local menu
  menu=$(xdotool search --onlyvisible --pid "$PID" --name '^zunaka$' | grep -vx "$main" | head -1)
  [ -n "$menu" ] && import -window "$menu" "$WORK/look.png" || return 1
  [ -f "$1" ] && [ "$(compare -metric AE "$1" "$WORK/look.png" null: 2>&1)" = 0 ] || { mv "$WORK/look.png" "$1"; false; }
}

# Types lesson 1's keys round after round, a key every `delay`/2 ms, into the game on `where`, at most ten
# times, until the strip shows a caught mole; CAUGHT is then the caught count.
caught_now() { xdotool type --delay "$2" 'asdfghjkl;:]'; COUNTS=$(probe counts "$(at "$1")"); [[ $COUNTS == strip=*/[1-9]* ]]; }
type_until_caught() { poll 10 caught_now "$@" || fail "no mole caught: $COUNTS"; CAUGHT=${COUNTS#*/}; echo "$COUNTS"; }

# Waits until `where` shows the bare background; the probe keeps what it saw last as WHAT.png.
bare_now() { [ "$(probe bare "$(at "$1")" "$WORK/$2.png")" = differs=0 ]; }
bare() { poll 20 bare_now "$1" "$2" || fail "$2: the field is not bare"; }

# Waits until `where` shows the guide page with its OK button.
guide_now() { PAGE=$(probe help "$(at "$1")" "$WORK/help.png"); [[ $PAGE == "page=0 button="[1-9]* ]]; }
guide_page() { poll 20 guide_now "$1" || fail "the guide page differs: $PAGE"; }

# Clicks x y of the main window's client area (its lower 640 x 480); 580 455 is the pages' OK button.
click_main() {
  eval "$(xdotool getwindowgeometry --shell "$main")"
  xdotool mousemove --window "$main" "$1" $((HEIGHT - 480 + $2)) click 1
}

# A copy of the program in `dir`, with its sound module, its music's helper and data folder beside it.
copy_program() {
  mkdir -p "$3" && cp "$1" "$(dirname "$1")/zunaka-audio.so" "$(dirname "$1")/zunaka-music" "$3/" && cp -r "$2" "$3/Deta"
}
