#!/usr/bin/env bash
# Runs the real program under its own virtual display and drives it as a player would.
#   scenario.sh BINARY DETA_DIR SCENARIO
# Each scenario gets its own display and runtime folder (lib.sh).
set -euo pipefail
BIN=$1 DETA=$2 SCENARIO=$3
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

case $SCENARIO in
no-display)
  rc=0; out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$BIN" 2>&1) || rc=$?
  [ "$rc" -ne 0 ] || fail "started without a display"
  [ "$(echo "$out" | wc -l)" -eq 1 ] || fail "expected one line, got: $out"
  echo "$out" | grep -q display || fail "unclear message: $out" ;;

terminated)
  start_display; launch "$BIN"
  main=$(past_title)
  press "$main" ctrl+g; sleep 0.3
  kill -TERM "$PID"
  rc=0; wait_exit "$PID" || rc=$?
  [ "$rc" -eq 0 ] || fail "a terminated game ended with status $rc" ;;

second-instance)
  start_display; launch "$BIN"; first=$PID
  wait_windows 1 >/dev/null
  "$BIN" 2>"$WORK/err2" & second=$!
  box=$(wait_windows 2 | grep -v "$(xdotool search --pid "$first" --onlyvisible --name "$TITLE" | head -1)" | head -1)
  grep -q "このアプリケーションはすでに開かれています。" "$WORK/err2" || fail "no message on standard error"
  press "$box" Return
  rc=0; wait_exit "$second" || rc=$?
  [ "$rc" -ne 0 ] || fail "the refused second instance ended with status 0"
  kill -0 "$first" || fail "the first instance died" ;;

signal-at-message)
  # Terminated while a message that ends the program is up: it ends at once, as a failed start.
  copy_program "$BIN" "$DETA" "$WORK/prog"
  rm "$WORK/prog/Deta/Title.jpg"
  start_display; launch "$WORK/prog/zunaka"
  wait_text "$WORK/err" "画像データ読み込みエラー"
  wait_windows 2 >/dev/null
  kill -TERM "$PID"
  rc=0; wait_exit "$PID" || rc=$?
  [ "$rc" -ne 0 ] || fail "a failed start ended with status 0" ;;

title-timeout)
  start_display; launch "$BIN"
  title=$(wait_windows 1); shown=$(date +%s%N)
  now=$(wait_handover "$title" 150)
  waited=$(( ($(date +%s%N) - shown) / 1000000 ))
  [ "$waited" -ge 10000 ] || fail "the title handed over after $waited ms"
  quit_game "$now" ;;

playfield|playfield-small|playfield-2x)
  # The bare playfield after the hand-over is the background picture, scaled to the client area: one to
  # one on a full-size screen, shrunk on a small one, each pixel a 2 x 2 block at twice the scale.
  case $SCENARIO in
  playfield) client=640x480 limit=0.02 ;;
  playfield-small) export SCREEN=640x480; client=634x436 limit=0.05 ;;
  playfield-2x) export SCREEN=2560x1600 QT_SCALE_FACTOR=2; client=1280x960 limit=0.02 ;;
  esac
  start_display; launch "$BIN"
  main=$(past_title); sleep 0.5
  import -window "$main" "$WORK/shot.png"
  w=$(identify -format '%w' "$WORK/shot.png")
  [ "$w" -eq "${client%x*}" ] || fail "window width $w, expected ${client%x*}"
  convert "$WORK/shot.png" -gravity south -crop "$client+0+0" +repage "$WORK/client.png"
  convert "$DETA/Back.jpg" -sample "$client!" "$WORK/back.png"
  # compare exits 1 when the pictures differ at all; the figure is what counts.
  mae=$( (compare -metric MAE "$WORK/client.png" "$WORK/back.png" null: 2>&1 || true) | sed 's/.*(\(.*\))/\1/')
  awk -v m="$mae" -v l="$limit" 'BEGIN { exit !(m < l) }' || fail "playfield differs from Back.jpg: MAE $mae"
  echo "mean absolute difference $mae"
  quit_game "$main" ;;

*) fail "unknown scenario $SCENARIO" ;;
esac
echo "PASS: $SCENARIO"
