#!/usr/bin/env bash
# Bad data files and a lock in the way, tried on a copy of the real program and its data folder:
#   fault_matrix.sh BINARY DETA_DIR [all]
# A picture that cannot be loaded ends the start: "画像データ読み込みエラー" on standard error and in a box
# beside the title, no main window, a failure status once the box is dismissed or the program terminated.
# A bad music or sound file leaves a game that plays, and quits with 0; so do a camera's photo, pictures
# of another size and a JPEG with a trailer. A named pipe or a device is refused without waiting. One row
# per fault by default, each on another file; `all`: every file with every fault.
set -euo pipefail
BIN=$1 DETA=$2 MODE=${3:-default}
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

PICTURES=(Title.jpg Back.jpg Zun0{1..8}.jpg ZunMask0{1..8}.jpg KeyBorad.jpg)
SOUNDS=(Blugrass.mid 金属.wav みゃ.wav)
FILE_FAULTS=(missing empty half random fifo device)
# A picture whose header claims 60000 x 60000 pixels: 14 GB as the game's surfaces. A photo of 6000 x 4000,
# one twice its size, a trailer after the end marker as phones append their video: these the game takes.
PICTURE_FAULTS=("${FILE_FAULTS[@]}" huge photo double trailer)
PLAYABLE_FAULTS=" photo double trailer "
FOLDER_FAULTS=("Deta missing" "Deta unreadable" "Deta file" "zunaka.lock stale" "zunaka.lock other-user"
  "zunaka.lock folder")

# file, fault: the default run. A third word ends the message by SIGTERM instead of its OK.
ROWS=(
  "ZunMask05.jpg missing" "Back.jpg empty" "KeyBorad.jpg half" "Zun08.jpg random" "Title.jpg huge"
  "Title.jpg missing term" "みゃ.wav missing" "金属.wav empty" "Blugrass.mid half" "Blugrass.mid random"
  "${FOLDER_FAULTS[@]}" "Back.jpg photo" "Title.jpg photo" "Zun*.jpg double" "KeyBorad.jpg trailer"
  "Title.jpg fifo" "Blugrass.mid device" "金属.wav fifo"
)
if [ "$MODE" = all ]; then
  ROWS=("${FOLDER_FAULTS[@]}")
  for f in "${PICTURES[@]}"; do for fault in "${PICTURE_FAULTS[@]}"; do ROWS+=("$f $fault"); done; done
  for f in "${SOUNDS[@]}"; do for fault in "${FILE_FAULTS[@]}"; do ROWS+=("$f $fault"); done; done
fi

PROG=$WORK/prog
# The other user's program and runtime folder must be theirs to read.
chmod 755 "$WORK"
copy_program "$BIN" "$DETA" "$PROG"
# Root reads an unreadable folder all the same; without these capabilities it is refused as a user is.
AS_USER=(); [ "$(id -u)" -ne 0 ] || AS_USER=(setpriv --bounding-set=-dac_override,-dac_read_search)

# Bytes that look random but are the same in every run, so a failure can be replayed.
noise() { LC_ALL=C awk -v n="$1" 'BEGIN { srand(10); for (i = 0; i < n; i++) printf "%c", int(rand() * 256) }'; }

spoil() {
  local file=$1 size offset
  size=$(stat -c %s "$file")
  case $2 in
  missing) rm "$file" ;;
  empty) : >"$file" ;;
  half) truncate -s $((size / 2)) "$file" ;;
  random) noise "$size" >"$file" ;;
  fifo) rm "$file"; mkfifo "$file" ;;
  device) ln -sf /dev/zero "$file" ;;
  photo) convert "$file" -resize '6000x4000!' -quality 90 "$file" ;;
  double) convert "$file" -resize 200% -quality 90 "$file" ;;
  trailer) { printf '\xff\xda\x00\x08video'; noise 4096; } >>"$file" ;;
  huge)
    # The height and width follow the frame header's marker, length and precision.
    offset=$(LC_ALL=C grep -obUaP '\xff[\xc0-\xc2]' "$file" | head -1 | cut -d: -f1)
    printf '\xea\x60\xea\x60' | dd of="$file" bs=1 seek=$((offset + 5)) conv=notrunc status=none ;;
  esac
}

# Puts the row's fault in place and sets EXPECTED to what the program must do: refuse or play. A lock is
# left by a run killed outright, or held by another user's program in its own runtime folder.
arrange() {
  local file=$1 fault=$2 killed
  rm -rf "$PROG/Deta" "$XDG_RUNTIME_DIR/zunaka.lock" && cp -r "$DETA" "$PROG/Deta"
  EXPECTED=play
  case "$file $fault" in
  "Deta missing") rm -r "$PROG/Deta" ;;
  "Deta unreadable") chmod 000 "$PROG/Deta" ;;
  "Deta file") rm -r "$PROG/Deta"; echo "no folder" >"$PROG/Deta" ;;
  "zunaka.lock stale")
    "$PROG/zunaka" 2>/dev/null & killed=$!
    wait_windows 1 >/dev/null; kill -KILL "$killed"; { wait "$killed"; } 2>/dev/null || true
    [ -e "$XDG_RUNTIME_DIR/zunaka.lock" ] && wait_windows 0 >/dev/null || fail "the killed run left no lock" ;;
  "zunaka.lock folder") mkdir "$XDG_RUNTIME_DIR/zunaka.lock" ;;
  "zunaka.lock other-user")
    mkdir -m 700 "$WORK/run-other" && { [ ${#AS_NOBODY[@]} -eq 0 ] || chown nobody: "$WORK/run-other"; }
    XDG_RUNTIME_DIR=$WORK/run-other "${AS_NOBODY[@]}" "$PROG/zunaka" 2>/dev/null & OTHER=$!
    wait_windows 1 >/dev/null ;;
  *)
    # A pattern in the row spoils every file it names.
    for target in "$PROG/Deta/"$file; do spoil "$target" "$fault"; done
    case " ${SOUNDS[*]} $PLAYABLE_FAULTS" in *" $file "* | *" $fault "*) ;; *) EXPECTED=refuse ;; esac ;;
  esac
  [ "$file" != Deta ] || EXPECTED=refuse
}

expect_refuse() {
  local box peak
  wait_text "$WORK/err" "画像データ読み込みエラー"
  # The title and the box, the narrower; a shown main window would be a third, or would have replaced
  # the title. Memory stays far below what a lying header asks for.
  box=$(for id in $(wait_windows 2); do xdotool getwindowgeometry --shell "$id" | sed -n "s/^WIDTH=/$id /p"; done |
    sort -k2 -n | head -1 | cut -d' ' -f1)
  peak=$(awk '/VmHWM/ { printf "%d", $2 / 1024 }' "/proc/$PID/status")
  [ "$peak" -lt 512 ] || fail "$peak MiB at the message"
  if [ "$1" = term ]; then kill -TERM "$PID"; else press "$box" Return; fi
  ! wait_exit "$PID" || fail "a failed start ended with status 0"
  OUTCOME="message and box, a failure status after ${1:-Return}, peak $peak MiB"
}

expect_play() {
  main=$(past_title)
  press "$main" ctrl+g; xdotool type --delay 40 "asdfghjkl;:]asdfghjkl;:]"; press "$main" ctrl+s
  quit_game "$main"; OUTCOME="played, status 0"
}

start_display
for row in "${ROWS[@]}"; do
  read -r file fault end <<<"$row"
  OTHER= WINDOWS_OF=
  arrange "$file" "$fault"
  # Another user's window may share the display: only this run's count.
  "${AS_USER[@]}" "$PROG/zunaka" 2>"$WORK/err" & PID=$! WINDOWS_OF=$!
  "expect_$EXPECTED" "$end"
  if [ -n "$OTHER" ]; then kill "$OTHER"; wait "$OTHER" || true; fi
  echo "| $row | $OUTCOME; stderr: $(paste -sd'/' "$WORK/err") |"
done
