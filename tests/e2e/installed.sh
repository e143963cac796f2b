#!/usr/bin/env bash
# The game as someone installs it: the files `cmake --install` puts in a prefix and the Debian package,
# each checked by its validator, and a game through the installed program, started as its menu entry is.
#   installed.sh PREFIX BUILD_DIR PROBE SCENARIO
set -euo pipefail
PREFIX=$1 BUILD=$2 PROBE=$3 SCENARIO=$4
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

PROGRAM=$(readlink -f "$PREFIX/bin/zunaka") && PROGRAM_DIR=$(dirname "$PROGRAM")
DESKTOP=$(echo "$PREFIX"/share/applications/*.desktop)
CAPTURE=$WORK/capture.raw
BYTES_PER_SECOND=$((44100 * 4))

# Starts the game with the command of the installed menu entry, found on PATH as a desktop finds it, with
# its sound written to $CAPTURE.
start_from_menu() {
  command -v Xvfb >/dev/null || { echo "SKIP: Xvfb is not installed (scripts/test installs it)"; exit 77; }
  start_display
  export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$CAPTURE PATH="$PREFIX/bin:$PATH"
  launch "$(command -v "$(sed -n 's/^Exec=//p' "$DESKTOP")")"
}

case $SCENARIO in
files)
  # Installed to a fresh prefix: the program with Deta/ beside it behind the link in bin/, the icon in
  # every size, the menu entry, the metadata and the manual page, each accepted by its validator.
  [ -d "$PROGRAM_DIR/Deta" ] || fail "no Deta/ beside $PROGRAM"
  for size in 32x32 48x48 64x64 128x128 256x256; do [ "$(identify -format %wx%h \
    "$PREFIX/share/icons/hicolor/$size/apps/zunaka.png")" = "$size" ] || fail "no $size icon"; done
  file "$PREFIX/share/icons/hicolor/scalable/apps/zunaka.svg" | grep -q SVG || fail "no scalable icon"
  desktop-file-validate "$DESKTOP" && grep -qx 'Name\[ja\]=ずなかタイピング' "$DESKTOP" &&
    [ -x "$PREFIX/bin/$(sed -n 's/^Exec=//p' "$DESKTOP")" ] || fail "the desktop entry: invalid, no Japanese name or no command"
  appstreamcli validate --no-net "$PREFIX"/share/metainfo/*.metainfo.xml || fail "the metadata do not validate"
  page=$PREFIX/share/man/man6/zunaka.6.gz
  [ -z "$(man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)" ] && man -l "$page" 2>/dev/null | grep -q '^ZUNAKA(6)' ||
    fail "the manual page: $(man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)"

  # The command line, without a display: two options of its own, Qt's let through, the rest refused,
  # every refusal on one line, the want of a display too, also for a mistyped option.
  for row in "|1|display" "-style Fusion|1|display" "--no-such-option|2|unknown option" \
      "-platform offscreen -style Fusion --bogus|2|'--bogus'" "--version|0|^zunaka (ずなかタイピング) [0-9]" "--help|0|--version"; do
    IFS='|' read -r args status says <<<"$row"
    rc=0; out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$PREFIX/bin/zunaka" $args 2>&1) || rc=$?
    [ "$rc" -eq "$status" ] && echo "$out" | grep -q -- "$says" || fail "'$args' ended with status $rc: $out"
    [ "$rc" -eq 0 ] || [ "$(echo "$out" | wc -l)" -eq 1 ] || fail "'$args': more than one line: $out"
  done ;;

package)
  # The Debian package from this build, not installed: what it holds and needs, and lintian's verdict.
  cpack --config "$BUILD/CPackConfig.cmake" -B "$WORK/pkg" >"$WORK/cpack.log" 2>&1 || { cat "$WORK/cpack.log"; fail "cpack"; }
  deb=$(echo "$WORK"/pkg/zunaka_*.deb)
  depends=$(dpkg-deb -f "$deb" Depends)
  for needed in libqt6widgets6 libfluidsynth3 fonts-ipafont-gothic timgm6mb-soundfont libqt6sql6-sqlite; do
    grep -q "$needed" <<<"$depends" || fail "the package does not depend on $needed: $depends"; done
  dpkg-deb -f "$deb" Recommends | grep -q qt6-wayland || fail "the package does not recommend qt6-wayland"
  dpkg-deb -c "$deb" | awk '{ print $6 $7 $8 }' >"$WORK/contents"
  for path in "./usr/bin/zunaka->../lib/zunaka/zunaka" ./usr/lib/zunaka/zunaka-music ./usr/lib/zunaka/Deta/Back.jpg ./usr/lib/zunaka/Deta/金属.wav \
      ./usr/share/applications/io.github.zunaka.typing.desktop ./usr/share/metainfo/io.github.zunaka.typing.metainfo.xml \
      ./usr/share/icons/hicolor/scalable/apps/zunaka.svg ./usr/share/man/man6/zunaka.6.gz ./usr/share/doc/zunaka/copyright; do
    grep -qxF "$path" "$WORK/contents" || fail "the package lacks $path"; done
  lintian "$deb" 2>&1 | tee "$WORK/lintian" | sed 's/^/  lintian: /' || true
  ! grep -q '^E:' "$WORK/lintian" || fail "lintian reports errors" ;;

game)
  # A game of レッスン２, はやい and ５０, chosen with the keyboard alone and then the only marks of their
  # menus. Lesson 2's keys catch moles, as no other lesson's would; moles show only in their holes and
  # sink caught in their caught look, the strip ends at 50 appeared, and the music plays from the start
  # to the natural end, keys after it sounding nothing. `zunaka --records` lists the game as played, and
  # with no file lists nothing and creates nothing. The records page's OK gives the field back.
  # A second game killed midway leaves the file sound; a file that is no database is listed as one line
  # on standard error with status 1, and left as it was.
  RECORDS=$XDG_DATA_HOME/zunaka/records.sqlite
  list() { env -u DISPLAY "$PROGRAM" --records; }
  [ "$(list)" = "$(printf 'started\tlesson\tspeed\tmoles\tappeared\tcaught\tmisses\tseconds\tfinished\tplayer')" ] &&
    [ ! -e "$XDG_DATA_HOME" ] || fail "the listing without a file: $(list); created: $(find "$XDG_DATA_HOME")"
  start_from_menu
  main=$(past_title)
  xprop -id "$main" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || fail "the main window has no icon"
  choose "$main" Right Down Down Return              # レッスン２
  choose "$main" Right Right Down Return             # はやい
  choose "$main" Right Right Right Down Down Return  # ５０
  marked="$(marks 1 7)/$(marks 2 3)/$(marks 3 3)"; [ "$marked" = 2/1/2 ] || fail "marks on the rows $marked"
  # The sound device opens with the first sound: until then there is no capture at all.
  started=$(stat -c %s "$CAPTURE" 2>/dev/null || echo 0)
  press "$main" ctrl+g
  # The typist finishes its round when told to stop: a key left over would land in the menus.
  (until [ -e "$WORK/stop" ]; do xdotool type --delay 100 'qwertyuiop@['; done) & typist=$!
  seen=$(probe watch "$main" 50 "$WORK")
  ended=$(stat -c %s "$CAPTURE"); sleep 2; touch "$WORK/stop"; wait "$typist"
  strip=$(field "$seen" strip)
  [[ $seen == *" outside=0 caught="[1-9]*" strip=50/"[1-9]* ]] || fail "not all in the holes, or no catch, or not 50: $seen"
  # The end is seen a moment after it happens: an effect of the last key may still sound.
  heard=$(probe music "$CAPTURE" "$started" $((ended + BYTES_PER_SECOND / 2)))
  [ "$(field "$heard" before)/$(field "$heard" after)" = 0.00/0.00 ] && awk -v d="$(field "$heard" during)" 'BEGIN { exit !(d >= 0.8) }' ||
    fail "expected silence before and after the game, music during it: $heard"
  IFS=$'\t' read -r started lesson speed moles appeared caught misses seconds finished player < <(list | tail -1)
  [ "$(list | wc -l)/$lesson $speed $moles $finished $player" = "2/2 1 50 1 みんな" ] || fail "listed: $(list)"
  [ "$appeared/$caught" = "$strip" ] || fail "listed $appeared/$caught, the strip showed $strip"
  [[ $started == 20[0-9][0-9]-*T*[+-Z]* ]] && [ "$seconds" -gt 0 ] || fail "time listed: $(list | tail -1)"
  [ "$(stat -c %a "$RECORDS")" = 600 ] || fail "the file is readable by others: $(stat -c %a "$RECORDS")"
  press "$main" ctrl+s
  bare "$main" field
  choose "$main" Left Down Return  # きろく, the last menu
  covered() { ! bare_now "$main" records-page; }
  poll 20 covered || fail "the records page did not show"
  click_main 580 455
  bare "$main" after-records
  press "$main" ctrl+g
  under_way() { [[ $(probe counts "$main") == strip=[1-9]* ]]; }
  poll 100 under_way || fail "the second game showed no mole"
  [ "$(list | wc -l)" -eq 2 ] || fail "the listing during the second game: $(list)"
  kill -KILL "$PID"; wait "$PID" 2>/dev/null || true
  [ "$(sqlite3 "$RECORDS" 'PRAGMA integrity_check')" = ok ] && [ "$(list | wc -l)" -eq 2 ] || fail "after SIGKILL: $(list)"
  echo "not a database" >"$RECORDS"
  rc=0; out=$(list 2>&1) || rc=$?
  [ "$rc" -eq 1 ] && [ "$(echo "$out" | wc -l)" -eq 1 ] || fail "an unreadable file listed with status $rc: $out"
  [ "$(cat "$RECORDS")" = "not a database" ] || fail "the listing changed the file" ;;

*) fail "unknown scenario $SCENARIO" ;;
esac
echo "PASS: $SCENARIO"
