#!/usr/bin/env bash
# Runs the real program under its own virtual display and drives it as a player would.
#   scenario.sh BINARY DETA_DIR SCENARIO PROBE
# PROBE is zunaka_e2e_probe, which reads the counts, the field and the guide page off the window and
# picks out the sound effects heard.
set -euo pipefail
BIN=$1 DETA=$2 SCENARIO=$3 PROBE=$4
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"
PROGRAM_DIR=$(dirname "$DETA")

# Types misses, each a sound, until the program has said `what`.
miss_until() {
  for _ in $(seq 40); do grep -q "$1" "$WORK/err" && return 0; xdotool type q; sleep 0.5; done
  fail "the program never said \"$1\""
}
rss_kib() { awk '/VmRSS/ { print $2 }' "/proc/$PID/status"; }

# openbox, a window manager as small desktops have, frames windows after they are mapped and gives the
# frame in each window's _NET_FRAME_EXTENTS. It names itself before it has set the work area.
wm_ready() { xprop -root _NET_SUPPORTING_WM_CHECK | grep -q 'window id' && xprop -root _NET_WORKAREA | grep -q ' = '; } 2>/dev/null
start_wm() { openbox --sm-disable >"$WORK/wm.log" 2>&1 & poll 100 wm_ready || fail "the window manager did not start"; }

# "X Y WIDTH HEIGHT" of a window with its frame; nothing while the window manager has not framed it.
frame_of() {
  local l r t b
  read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ',') || true
  [ -n "$b" ] || return 0
  xwininfo -id "$1" | awk -v l="$l" -v r="$r" -v t="$t" -v b="$b" '/Absolute upper-left X/ { x = $NF }
    /Absolute upper-left Y/ { y = $NF } /Width:/ { w = $NF } /Height:/ { h = $NF } END { print x - l, y - t, w + l + r, h + t + b }'
}

# Waits until a window's frame lies inside the work area of the first desktop, where the game opens (the
# screen less its panels): the game learns the frame once the window is framed, then fits and centres it.
inside() {
  read -r fx fy fw fh < <(frame_of "$1") || true
  [ -n "$fh" ] && [ "$fx" -ge "$ax" ] && [ "$fy" -ge "$ay" ] && [ $((fx + fw)) -le $((ax + aw)) ] && [ $((fy + fh)) -le $((ay + ah)) ]
}
wait_inside() {
  local fx fy fw fh ax ay aw ah
  read -r ax ay aw ah _ < <(xprop -root _NET_WORKAREA | sed -n 's/.*= //p' | tr -d ',') || true
  poll 50 inside "$1" || fail "$2: ${fw}x${fh}+${fx}+${fy} with its frame, outside the work area ${aw}x${ah}+${ax}+${ay}"
  echo "$2: ${fw}x${fh}+${fx}+${fy} with its frame, work area ${aw}x${ah}+${ax}+${ay}"
}
full_screen_is() { [ "$(xprop -id "$main" _NET_WM_STATE | grep -c _NET_WM_STATE_FULLSCREEN)" = "$1" ]; }

# The window's lower part, once drawn, is the background picture scaled to `client`.
shows_back() {
  import -window "$main" "$WORK/shot.png"
  [ "$(identify -format %w "$WORK/shot.png")" -eq "${client%x*}" ] || return 1
  convert "$WORK/shot.png" -gravity south -crop "$client+0+0" +repage "$WORK/client.png"
  # compare exits 1 when the pictures differ at all; the figure is what counts.
  mae=$( (compare -metric MAE "$WORK/client.png" "$WORK/back.png" null: 2>&1 || true) | sed 's/.*(\(.*\))/\1/')
  awk -v m="$mae" -v l="$limit" 'BEGIN { exit !(m < l) }'
}

case $SCENARIO in
session)
  # One game through a second start, a sound device that goes away and comes back, a flood of keys and a
  # termination signal. The second start shows its message and ends with a failure status. SDL's disk
  # driver writes the sound to a link: to /dev/full the device goes away at its first buffer, to /dev/null
  # it plays; each change is said once. Rounds of 10,000 presses and releases of lesson 1's keys, as fast
  # as the server takes them, until a mole is caught: the counts stay consistent, memory does not grow
  # with the keys, Ctrl+S still clears the field, and SIGTERM ends the game with status 0.
  ln -s /dev/full "$WORK/sound"
  start_display
  SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$WORK/sound launch "$BIN"
  main=$(past_title)
  "$BIN" 2>"$WORK/err2" & second=$!
  press "$(wait_windows 2 | grep -vx "$main")" Return
  rc=0; wait_exit "$second" || rc=$?
  grep -q "このアプリケーションはすでに開かれています。" "$WORK/err2" && [ "$rc" -ne 0 ] || fail "the second start ended with $rc"
  press "$main" ctrl+g
  miss_until "went away"
  ln -sfn /dev/null "$WORK/sound"
  miss_until "audio is back"
  [ "$(grep -c 'zunaka: no audio' "$WORK/err")/$(grep -c 'zunaka: audio is back' "$WORK/err")" = 1/1 ] ||
    fail "the loss and the return were not said once each"
  # xdotool waits on the server after every key: four senders keep the keys coming.
  keys=(); for _ in $(seq 209); do keys+=(a s d f g h j k l semicolon colon bracketright); done
  rss_before=$(rss_kib) caught=0 rounds=0
  while [ "$caught" -eq 0 ] && [ $((rounds += 1)) -le 10 ]; do
    senders=()
    for _ in 1 2 3 4; do xdotool key --delay 0 "${keys[@]}" & senders+=($!); done
    wait "${senders[@]}"
    read -r appeared caught < <(probe counts "$main" | tr '=/' '  ' | cut -d' ' -f2-)
    [ "$caught" -le "$appeared" ] && [ "$appeared" -le 30 ] || fail "counts after the flood: $appeared/$caught"
  done
  [ "$caught" -gt 0 ] || fail "no mole caught in $rounds floods"
  # AddressSanitizer holds freed memory back (256 MiB): there the leak check at exit stands in for this.
  rss_after=$(rss_kib)
  ldd "$BIN" | grep -q libasan || [ $((rss_after - rss_before)) -lt 65536 ] || fail "memory grew to $rss_after KiB"
  echo "$rounds flood(s): $appeared appeared, $caught caught; resident $rss_before -> $rss_after KiB"
  press "$main" ctrl+s
  bare "$main" stopped
  kill -TERM "$PID"
  rc=0; wait_exit "$PID" || rc=$?
  [ "$rc" -eq 0 ] || fail "a terminated game ended with status $rc" ;;

playfield|playfield-small|playfield-2x|framed-640x480|framed-800x480|framed-2x)
  # The bare field after the hand-over is Back.jpg scaled to the client area: one to one on a full-size
  # screen, where the title is left to hand over by itself after ten seconds; shrunk on a small screen;
  # each pixel a 2 x 2 block at twice the scale. Under a window manager that frames windows after they
  # show, both windows lie inside the work area with their frames, on low screens and where a scale factor
  # makes even the small window too large; one started while the main window is up (late) frames it
  # then, and the window moves inside.
  read -r SCREEN QT_SCALE_FACTOR wm client limit <<<"$(case $SCENARIO in
    playfield) echo 1024x768 1 none 640x480 0.02 ;;
    playfield-small) echo 640x480 1 late 634x436 0.05 ;;
    playfield-2x) echo 2560x1600 2 none 1280x960 0.02 ;;
    framed-640x480) echo 640x480 1 first ;;
    framed-800x480) echo 800x480 1 first ;;
    framed-2x) echo 1024x768 2 first ;;
  esac)"
  export SCREEN QT_SCALE_FACTOR
  start_display
  [ "$wm" != first ] || start_wm
  launch "$BIN"
  title=$(wait_windows 1)
  [ "$wm" != first ] || wait_inside "$title" "title window"
  if [ "$SCENARIO" = playfield ]; then
    shown=$(date +%s%N)
    main=$(wait_windows 1 "$title" 150)
    [ $(($(date +%s%N) - shown)) -ge 10000000000 ] || fail "the title handed over before ten seconds"
  else
    main=$(past_title)
  fi
  if [ -n "$client" ]; then
    convert "$DETA/Back.jpg" -sample "$client!" "$WORK/back.png"
    poll 30 shows_back || fail "not Back.jpg ${client%x*} px wide: mean absolute difference ${mae:-?}"
  fi
  [ "$wm" != late ] || start_wm
  [ "$wm" = none ] || wait_inside "$main" "main window"
  quit_game "$main" ;;

full-screen)
  # The music switched off in the keyboard menu, its item checked; F11 during a game: the canvas twice
  # its size on 1920 x 1080, and moles caught, a key every 0.6 s (xdotool types one per half its --delay;
  # the longer effect lasts 0.24 s), each catch heard as the hit effect, the other keys as the miss effect
  # and nothing else. Ctrl+S leaves the bare field, the guide page is as in the window, and Esc gives
  # back the window where it was.
  export SCREEN=1920x1080
  start_display; start_wm
  SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$WORK/capture.raw launch "$BIN"
  main=$(past_title)
  wait_inside "$main" "main window"
  before=$(frame_of "$main")
  choose "$main" Right Right Right Right Down Return  # BGM停止
  [ "$(marks 4 1)" = 1 ] || fail "BGM停止 is not checked"
  press "$main" ctrl+g
  press "$main" F11
  poll 50 full_screen_is 1 || fail "F11 did not go full screen"
  size=$(xwininfo -id "$main" | awk '/Width:/ { w = $NF } /Height:/ { h = $NF } END { print w "x" h }')
  [ "$size" = 1920x1080 ] || fail "the full-screen window is $size"
  type_until_caught "$main" 1200
  import -window root "$WORK/full-screen-game.png"
  press "$main" ctrl+s
  bare "$main" full-screen-stopped
  choose "$main" Left Left Down Return  # つかいかた, the menu before きろく
  guide_page "$main"
  import -window root "$WORK/full-screen-help.png"
  press "$main" Escape
  poll 50 full_screen_is 0 || fail "Esc did not leave full screen"
  wait_inside "$main" "main window again"
  [ "$(frame_of "$main")" = "$before" ] || fail "the window came back at $(frame_of "$main"), was at $before"
  quit_game "$main"
  heard=$(probe effects "$WORK/capture.raw")
  echo "$heard"
  [[ $heard == "hits=$CAUGHT misses="[1-9]*" other=0" ]] || fail "$CAUGHT moles caught, but heard: $heard" ;;

*) fail "unknown scenario $SCENARIO" ;;
esac
echo "PASS: $SCENARIO"
