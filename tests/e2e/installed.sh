#!/usr/bin/env bash
# The game as someone installs it: the files `cmake --install` puts in a prefix and the Debian package,
# each checked by its validator, and games played on a virtual display through the installed program,
# started as the menu entry starts it.
#   installed.sh PREFIX BUILD_DIR PROBE SCENARIO
# PROBE is zunaka_e2e_probe, which looks at the window and listens to the sound captured on disk.
# E2E_SHOTS=folder keeps the screenshots the scenario looked at.
set -euo pipefail
PREFIX=$1 BUILD=$2 PROBE=$3 SCENARIO=$4
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

PROGRAM=$(readlink -f "$PREFIX/bin/zunaka")
PROGRAM_DIR=$(dirname "$PROGRAM")
DESKTOP=$(echo "$PREFIX"/share/applications/*.desktop)
CAPTURE=$WORK/capture.raw
BYTES_PER_SECOND=$((44100 * 4))

needs_display() {
  command -v Xvfb >/dev/null || { echo "SKIP: Xvfb is not installed (scripts/test installs it)"; exit 77; }
  start_display
}

# Starts the game with the command of the installed menu entry, found on PATH as a desktop finds it, with
# its sound written to $CAPTURE.
start_from_menu() {
  local command
  command=$(sed -n 's/^Exec=//p' "$DESKTOP")
  export SDL_AUDIODRIVER=disk SDL_DISKAUDIOFILE=$CAPTURE
  PATH="$PREFIX/bin:$PATH" launch "$(PATH="$PREFIX/bin:$PATH" command -v "$command")"
}

# "key=value key=value" -> the value of one key.
field() { echo "$1" | tr ' ' '\n' | sed -n "s/^$2=//p"; }

case $SCENARIO in
files)
  # Installed to a fresh prefix: the program with Deta/ beside it behind the link in bin/, the icon in
  # every size, the menu entry, the metadata and the manual page, each accepted by its validator.
  [ -d "$PROGRAM_DIR/Deta" ] || fail "no Deta/ beside $PROGRAM"
  for size in 32 48 64 128 256; do
    icon=$PREFIX/share/icons/hicolor/${size}x${size}/apps/zunaka.png
    [ "$(identify -format %wx%h "$icon")" = "${size}x${size}" ] || fail "$icon is not $size px square"
  done
  file "$PREFIX/share/icons/hicolor/scalable/apps/zunaka.svg" | grep -q SVG || fail "no scalable icon"
  desktop-file-validate "$DESKTOP" || fail "the desktop entry does not validate"
  grep -qx 'Name\[ja\]=ずなかタイピング' "$DESKTOP" || fail "the desktop entry has no Japanese name"
  [ -x "$PREFIX/bin/$(sed -n 's/^Exec=//p' "$DESKTOP")" ] || fail "the desktop entry's command is not installed"
  appstreamcli validate --no-net "$PREFIX"/share/metainfo/*.metainfo.xml || fail "the metadata do not validate"
  page=$PREFIX/share/man/man6/zunaka.6.gz
  warnings=$(man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "the manual page: $warnings"
  man -l "$page" 2>/dev/null | grep -q '^ZUNAKA(6)' || fail "the manual page is not zunaka(6)"

  # The command line: two options of its own that need no display, Qt's let through, the rest refused.
  nodisplay=(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM)
  "${nodisplay[@]}" "$PREFIX/bin/zunaka" --version | grep -q '^zunaka (ずなかタイピング) [0-9]' || fail "--version"
  "${nodisplay[@]}" "$PREFIX/bin/zunaka" --help | grep -q -- '--version' || fail "--help"
  rc=0; out=$("${nodisplay[@]}" "$PREFIX/bin/zunaka" -platform offscreen -style Fusion --bogus 2>&1) || rc=$?
  [ "$rc" -eq 2 ] || fail "an unknown option ended with status $rc"
  [ "$(echo "$out" | wc -l)" -eq 1 ] && echo "$out" | grep -q -- "'--bogus'" || fail "unclear refusal: $out" ;;

package)
  # The Debian package from this build: what it holds, what it depends on, and lintian's verdict. Nothing
  # is installed on this machine.
  cpack --config "$BUILD/CPackConfig.cmake" -B "$WORK/pkg" >"$WORK/cpack.log" 2>&1 || { cat "$WORK/cpack.log"; fail "cpack"; }
  deb=$(echo "$WORK"/pkg/zunaka_*.deb)
  depends=$(dpkg-deb -f "$deb" Depends)
  for needed in libqt6widgets6 libfluidsynth3 fonts-ipafont-gothic timgm6mb-soundfont libqt6sql6-sqlite; do
    echo "$depends" | grep -q "$needed" || fail "the package does not depend on $needed: $depends"
  done
  dpkg-deb -f "$deb" Recommends | grep -q qt6-wayland || fail "the package does not recommend qt6-wayland"
  dpkg-deb -c "$deb" | awk '{ print $6 $7 $8 }' >"$WORK/contents"
  for path in "./usr/bin/zunaka->../lib/zunaka/zunaka" ./usr/lib/zunaka/Deta/Back.jpg ./usr/lib/zunaka/Deta/金属.wav \
      ./usr/share/applications/io.github.zunaka.typing.desktop ./usr/share/metainfo/io.github.zunaka.typing.metainfo.xml \
      ./usr/share/icons/hicolor/scalable/apps/zunaka.svg ./usr/share/man/man6/zunaka.6.gz ./usr/share/doc/zunaka/copyright; do
    grep -qxF "$path" "$WORK/contents" || fail "the package lacks $path"
  done
  lintian "$deb" >"$WORK/lintian" 2>&1 || true
  sed 's/^/  lintian: /' "$WORK/lintian"
  ! grep -q '^E:' "$WORK/lintian" || fail "lintian reports errors"
  echo "$(basename "$deb"): $(stat -c %s "$deb") bytes; Depends: $depends" ;;

game)
  # A whole game of 50 moles chosen in the menus, a typist cycling through lesson 1's keys: moles show
  # only in their holes, caught moles sink in their caught look, the strip ends at 50 appeared, and the
  # music plays from the start to the natural end and then stops, keys after the end sounding nothing.
  needs_display; start_from_menu
  main=$(past_title)
  xprop -id "$main" _NET_WM_ICON | grep -q 'Icon (32 x 32)' || fail "the main window has no icon"
  choose "$main" Right Right Right Down Down Return
  # The sound device opens with the first sound: until then there is no capture at all.
  started=$(stat -c %s "$CAPTURE" 2>/dev/null || echo 0)
  press "$main" ctrl+g
  (while :; do xdotool type --delay 100 'asdfghjkl;:]'; done) & typist=$!
  seen=$("$PROBE" "$PROGRAM_DIR" watch "$main" 50 "$WORK")
  ended=$(stat -c %s "$CAPTURE")
  sleep 2
  kill "$typist"
  echo "$seen"
  [ "$(field "$seen" outside)" -eq 0 ] || fail "something changed outside the holes: $seen"
  [ "$(field "$seen" caught)" -gt 0 ] || fail "no caught mole was seen: $seen"
  strip=$(field "$seen" strip)
  [ "${strip%/*}" = 50 ] && [ "${strip#*/}" -gt 0 ] || fail "final counts $strip, expected 50 appeared and some caught"
  # The end is seen a moment after it happens: an effect of the last key may still sound.
  heard=$("$PROBE" "$PROGRAM_DIR" music "$CAPTURE" "$started" $((ended + BYTES_PER_SECOND / 2)))
  echo "$heard"
  [ "$(field "$heard" before)" = 0.00 ] || fail "sound before the game: $heard"
  awk -v d="$(field "$heard" during)" 'BEGIN { exit !(d >= 0.8) }' || fail "no music during the game: $heard"
  [ "$(field "$heard" after)" = 0.00 ] || fail "sound after the game ended: $heard"
  quit_game "$main" ;;

effects-and-stop)
  # Music off in the menu, a key every 0.6 s (xdotool types one key per half of its --delay; the longer
  # effect lasts 0.24 s) until a mole is caught: every catch is heard as the hit
  # effect and the other keys as the miss effect, and nothing else sounds. Ctrl+S leaves the bare field.
  needs_display; start_from_menu
  main=$(past_title)
  choose "$main" Right Right Right Right Down Return
  press "$main" ctrl+g
  for _ in 1 2 3 4 5 6; do
    xdotool type --delay 1200 'asdfghjkl;:]'
    counts=$("$PROBE" "$PROGRAM_DIR" counts "$main" "$WORK/playing.png")
    hits=$(field "$counts" strip); hits=${hits#*/}
    [ "$hits" != none ] && [ "$hits" -gt 0 ] && break
  done
  echo "$counts"
  [ "$hits" -gt 0 ] || fail "no mole caught in six rounds of the keys: $counts"
  press "$main" ctrl+s; sleep 0.5
  bare=$("$PROBE" "$PROGRAM_DIR" bare "$main" "$WORK/stopped.png")
  [ "$(field "$bare" differs)" -eq 0 ] || fail "the field after Ctrl+S is not bare: $bare"
  quit_game "$main"
  heard=$("$PROBE" "$PROGRAM_DIR" effects "$CAPTURE")
  echo "$heard"
  [ "$(field "$heard" hits)" -eq "$hits" ] || fail "$hits moles caught, but heard: $heard"
  [ "$(field "$heard" misses)" -gt 0 ] && [ "$(field "$heard" other)" -eq 0 ] || fail "heard: $heard" ;;

help)
  # つかいかた shows the guide page with its OK button; OK brings back the bare field.
  needs_display; start_from_menu
  main=$(past_title)
  choose "$main" Left Left Down Return  # つかいかた, the menu before きろく
  page=$("$PROBE" "$PROGRAM_DIR" help "$main" "$WORK/help.png")
  echo "$page"
  [ "$(field "$page" page)" -eq 0 ] || fail "the guide page differs: $page"
  [ "$(field "$page" button)" -gt 0 ] || fail "no OK button on the guide page"
  height=$(xdotool getwindowgeometry --shell "$main" | sed -n 's/^HEIGHT=//p')
  xdotool mousemove --window "$main" 580 $((height - 480 + 455)) click 1; sleep 0.5
  bare=$("$PROBE" "$PROGRAM_DIR" bare "$main" "$WORK/after-ok.png")
  [ "$(field "$bare" differs)" -eq 0 ] || fail "OK did not bring back the bare field: $bare"
  quit_game "$main" ;;

*) fail "unknown scenario $SCENARIO" ;;
esac
echo "PASS: $SCENARIO"
