#!/usr/bin/env bash
# The game on Wayland, natively: weston nested in a virtual X display, the game started with Qt's Wayland
# back end and no X display to fall back on.
#   wayland.sh BINARY DETA_DIR PROBE
# PROBE is zunaka_e2e_probe; a Wayland window has no id to grab, so it finds the windows in a screenshot
# of weston's output. The title hands over at a click, the main window then has the keyboard, the menus
# open the guide page from the keyboard and its OK closes it, moles are caught, Ctrl+S clears the field,
# a second start's message ends it when answered, and Ctrl+Q quits. The game makes no X window and never
# asks for the on-screen keyboard.
set -euo pipefail
BIN=$1 DETA=$2 PROBE=$3
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
PROGRAM_DIR=$(dirname "$BIN")
SOCKET=wayland-zunaka
# In the sanitized run the leak check is off here alone: Qt's Wayland back end leaves its proxies of the
# compositor's globals to the process's end, and a driver it loads and unloads again leaves a block that
# no suppression can name. The game's own leaks are looked for in every other scenario.
[ -n "${ASAN_OPTIONS:-}" ] && export ASAN_OPTIONS="$ASAN_OPTIONS:detect_leaks=0"

# The pointer out of the way, in the top-left corner, clear of the windows' contents: weston draws it into
# its output, over whatever the game shows there. weston follows the X pointer by its moves, not its
# place, and stops at the edges where X may not: in the corner both are at 0,0 again.
park_pointer() { xdotool mousemove 0 0; sleep 0.3; }

# Whether the screen shows `what` (title or field); AT is then where, as +X+Y.
shows() { import -window root "$WORK/screen.png"; AT=$(field "$(probe find "$WORK/screen.png")" "$1"); [ "$AT" != none ]; }

# The main window's client area in a fresh screenshot, for the probe.
field_now() { import -window root "$WORK/screen.png"; echo "$WORK/screen.png$FIELD"; }
# Clicks x y of the window at FIELD. The pointer comes in and moves first: the window must know it is
# there before the click.
click_client() {
  local x=${FIELD#+} y
  y=$((${x#*+} + $2)) x=$((${x%+*} + $1))
  xdotool mousemove $((x - 5)) "$y" sleep 0.2 mousemove "$x" "$y" sleep 0.2 click 1
  park_pointer
}

SCREEN=1024x768 start_display
# No panel: nothing for the parked pointer to open a tooltip on.
printf '[shell]\npanel-position=none\n' >"$WORK/weston.ini"
weston --backend=x11-backend.so --use-pixman --width=1024 --height=768 --socket="$SOCKET" --idle-time=0 \
  --config="$WORK/weston.ini" --log="$WORK/weston.log" &
poll 100 [ -S "$XDG_RUNTIME_DIR/$SOCKET" ] || fail "weston did not start: $(cat "$WORK/weston.log")"
park_pointer
wayland() { env -u DISPLAY QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY="$SOCKET" "$@"; }

# Every request the game makes of the compositor goes to the log.
WAYLAND_DEBUG=client wayland "$BIN" 2>"$WORK/wayland.log" & PID=$!
poll 50 shows title || fail "weston does not show the title"
FIELD=$AT
click_client 320 400
poll 50 shows field || fail "weston does not show the field"
FIELD=$AT
echo "main window's client area at $FIELD"
bare field_now handed-over

# つかいかた from the keyboard: a tap of Alt, left past きろく, the last menu, down to the item.
xdotool key --delay 100 alt Left Left Down Return
guide_page field_now
click_client 580 455
bare field_now after-ok
xdotool key ctrl+g
type_until_caught field_now 100
xdotool key ctrl+s
bare field_now stopped

# A second start: its message comes up on top with the keyboard, and Return ends it with a failure status.
wayland "$BIN" 2>"$WORK/err2" & second=$!
wait_text "$WORK/err2" "このアプリケーションはすでに開かれています。"
sleep 1; import -window root "$WORK/message.png"
xdotool key Return
rc=0; wait_exit "$second" || rc=$?
[ "$rc" -ne 0 ] || fail "the refused second start ended with status 0"

[ -z "$(xdotool search --name "$TITLE" 2>/dev/null)" ] || fail "the game made an X window"
! grep -E 'text_input[^ ]*\.(activate|enable|show_input_panel)\(' "$WORK/wayland.log" ||
  fail "the game asked for the input method's panel"
# weston gives the keyboard back to no one when the message goes: a click on the field takes it.
click_client 320 300
xdotool key ctrl+q
rc=0; wait_exit "$PID" || rc=$?
# The program's own lines, without the protocol log's.
[ "$rc" -eq 0 ] || fail "quitting ended with status $rc: $(grep -v '^\[' "$WORK/wayland.log" | tail -40)"
echo "PASS: wayland"
