#!/usr/bin/env bash
# Runs the real program under its own virtual display and drives it as a player would.
#   scenario.sh BINARY DETA_DIR SCENARIO [PROBE]
# Each scenario gets its own display and runtime folder (lib.sh). PROBE is zunaka_e2e_probe, which reads
# the counts and the guide page off the window.
set -euo pipefail
BIN=$1 DETA=$2 SCENARIO=$3 PROBE=${4:-}
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

case $SCENARIO in
no-display)
  # Arguments, status, what the one line says: a mistyped option is called one as on a display.
  for row in "|1|display" "-style Fusion|1|display" "--no-such-option|2|unknown option"; do
    IFS='|' read -r args status says <<<"$row"
    rc=0; out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$BIN" $args 2>&1) || rc=$?
    [ "$rc" -eq "$status" ] || fail "'$args' without a display ended with status $rc: $out"
    [ "$(echo "$out" | wc -l)" -eq 1 ] || fail "'$args': expected one line, got: $out"
    echo "$out" | grep -q "$says" || fail "'$args': unclear message: $out"
  done ;;

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

sound-comes-back)
  # SDL's disk driver writes the sound to a file, here a link: to /dev/full the device goes away at its
  # first buffer, to /dev/null it plays. Keys are typed, each a miss sound, until the game has tried again.
  ln -s /dev/full "$WORK/sound"
  start_display
  SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$WORK/sound launch "$BIN"
  main=$(past_title)
  press "$main" ctrl+g
  for _ in $(seq 40); do grep -q "went away" "$WORK/err" && break; xdotool type q; sleep 0.5; done
  ln -sfn /dev/null "$WORK/sound"
  for _ in $(seq 40); do grep -q "audio is back" "$WORK/err" && break; xdotool type q; sleep 0.5; done
  [ "$(grep -c 'zunaka: no audio' "$WORK/err")" -eq 1 ] || fail "the loss was not said once"
  [ "$(grep -c 'zunaka: audio is back' "$WORK/err")" -eq 1 ] || fail "the return was not said once"
  quit_game "$main" ;;

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

framed-640x480|framed-800x480|framed-2x|framed-late)
  # Under a window manager that frames windows after they show, both windows lie inside the work area
  # with their frames: on low screens, and where a scale factor makes even the small window too large.
  # A manager started while the main window is up frames it then, and the window moves inside.
  case $SCENARIO in
  framed-640x480|framed-late) export SCREEN=640x480 ;;
  framed-800x480) export SCREEN=800x480 ;;
  framed-2x) export SCREEN=1024x768 QT_SCALE_FACTOR=2 ;;
  esac
  start_display
  [ "$SCENARIO" = framed-late ] || start_wm
  launch "$BIN"
  title=$(wait_windows 1)
  [ "$SCENARIO" = framed-late ] || wait_inside "$title" "title window"
  main=$(past_title)
  [ "$SCENARIO" = framed-late ] && start_wm
  wait_inside "$main" "main window"
  quit_game "$main" ;;

full-screen)
  # F11 during a game: the game goes on full screen, the canvas twice its size on 1920 x 1080, and
  # catches; the guide page is laid out as in the window; Esc gives back the window where it was.
  export SCREEN=1920x1080
  start_display; start_wm; launch "$BIN"
  main=$(past_title)
  wait_inside "$main" "main window"
  before=$(frame_of "$main")
  press "$main" ctrl+g
  press "$main" F11
  wait_full_screen "$main" yes
  size=$(xwininfo -id "$main" | awk '/Width:/ { w = $NF } /Height:/ { h = $NF } END { print w "x" h }')
  [ "$size" = 1920x1080 ] || fail "the full-screen window is $size"
  hits=0
  for _ in 1 2 3 4 5 6; do
    xdotool type --delay 1200 'asdfghjkl;:]'
    counts=$("$PROBE" "$(dirname "$DETA")" counts "$main" "$WORK/full-screen-canvas.png")
    hits=$(echo "$counts" | sed -n 's/.*strip=[0-9]*\///p')
    [ -n "$hits" ] && [ "$hits" -gt 0 ] && break
  done
  import -window root "$WORK/full-screen-game.png"
  echo "$counts"
  [ -n "$hits" ] && [ "$hits" -gt 0 ] || fail "no mole caught in full screen: $counts"
  press "$main" ctrl+s
  choose "$main" Left Left Down Return  # つかいかた, the menu before きろく
  page=$("$PROBE" "$(dirname "$DETA")" help "$main" "$WORK/full-screen-help-canvas.png")
  import -window root "$WORK/full-screen-help.png"
  echo "$page"
  [[ $page == "page=0 button="[1-9]* ]] || fail "the full-screen guide page differs from the window's: $page"
  press "$main" Escape
  wait_full_screen "$main" no
  wait_inside "$main" "main window again"
  [ "$(frame_of "$main")" = "$before" ] || fail "the window came back at $(frame_of "$main"), was at $before"
  quit_game "$main" ;;

records)
  # A whole game of 30 fast moles typed from the keyboard, then `zunaka --records` lists it with the counts
  # the strip showed, and the records page opens and closes; a second game killed midway loses only itself, and the file stays sound. The listing
  # needs no display and creates nothing where no file is.
  RECORDS=$XDG_DATA_HOME/zunaka/records.sqlite
  list() { env -u DISPLAY "$BIN" --records; }
  [ "$(list)" = "$(printf 'started\tlesson\tspeed\tmoles\tappeared\tcaught\tmisses\tseconds\tfinished\tplayer')" ] ||
    fail "without a file: $(list)"
  [ ! -e "$XDG_DATA_HOME" ] || fail "the listing created $(find "$XDG_DATA_HOME")"
  start_display; launch "$BIN"
  main=$(past_title)
  choose "$main" Right Right Down Return
  press "$main" ctrl+g
  (while :; do xdotool type --delay 100 'asdfghjkl;:]'; done) & typist=$!
  seen=$("$PROBE" "$(dirname "$DETA")" watch "$main" 30 "$WORK")
  kill "$typist"; wait "$typist" 2>/dev/null || true
  strip=$(echo "$seen" | sed -n 's/.*strip=//p')
  echo "$seen"; list
  [ "$(list | wc -l)" -eq 2 ] || fail "expected one game listed"
  IFS=$'\t' read -r started lesson speed moles appeared caught misses seconds finished player < <(list | tail -1)
  [ "$lesson $speed $moles $finished $player" = "1 1 30 1 みんな" ] || fail "settings listed: $(list | tail -1)"
  [ "$appeared/$caught" = "$strip" ] || fail "listed $appeared/$caught, the strip showed $strip"
  [[ $started == 20[0-9][0-9]-*T*[+-Z]* ]] && [ "$seconds" -gt 0 ] || fail "time listed: $(list | tail -1)"
  [ "$(stat -c %a "$RECORDS")" = 600 ] || fail "the file is readable by others: $(stat -c %a "$RECORDS")"
  # The records page (きろく, the last menu) covers the bare field, and its OK gives it back pixel for pixel.
  press "$main" ctrl+s; sleep 0.5
  import -window "$main" "$WORK/field.png"
  choose "$main" Left Down Return; sleep 0.5
  import -window "$main" "$WORK/records-page.png"
  [ "$(compare -metric AE "$WORK/field.png" "$WORK/records-page.png" null: 2>&1 || true)" -gt 100000 ] ||
    fail "the records page did not show"
  eval "$(xdotool getwindowgeometry --shell "$main")"
  xdotool mousemove --window "$main" $((WIDTH - 60)) $((HEIGHT - 25)) click 1; sleep 0.5
  import -window "$main" "$WORK/field-again.png"
  [ "$(compare -metric AE "$WORK/field.png" "$WORK/field-again.png" null: 2>&1 || true)" = 0 ] ||
    fail "OK did not bring back the bare field: see $WORK/field-again.png"
  press "$main" ctrl+g
  for _ in $(seq 100); do
    counts=$("$PROBE" "$(dirname "$DETA")" counts "$main")
    [ "${counts#strip=}" != none ] && [ "$(echo "$counts" | sed 's/strip=\([0-9]*\).*/\1/')" -gt 0 ] && break
    sleep 0.2
  done
  [ "$(list | wc -l)" -eq 2 ] || fail "the listing during the second game: $(list)"
  kill -KILL "$PID"; wait "$PID" 2>/dev/null || true
  [ "$(sqlite3 "$RECORDS" 'PRAGMA integrity_check')" = ok ] || fail "the file after SIGKILL is damaged"
  [ "$(list | wc -l)" -eq 2 ] || fail "after SIGKILL: $(list)"
  # A file that is no database: one line on standard error, status 1, and the file left as it was.
  echo "not a database" >"$RECORDS"
  rc=0; out=$(list 2>&1) || rc=$?
  [ "$rc" -eq 1 ] && [ "$(echo "$out" | wc -l)" -eq 1 ] || fail "an unreadable file listed with status $rc: $out"
  [ "$(cat "$RECORDS")" = "not a database" ] || fail "the listing changed the file"
  ;;

*) fail "unknown scenario $SCENARIO" ;;
esac
echo "PASS: $SCENARIO"
