#!/usr/bin/env bash
# The game on a Japanese desktop: an input method with mozc, switched on in hiragana, never reaches the
# key box. A plain line edit (IM_CHECK, zunaka_im_check) shows that it composes, before and after. With it
# switched on in the game's window, every key of every lesson shows in the key box as with it off, the
# toggle keys do not switch composition, no candidate window opens, and shortcuts and menus still work.
#   input_method.sh BINARY DETA_DIR PROBE IM_CHECK fcitx5|ibus
# mozc's server will not run as root: the whole desktop (X server, session bus, input method, game) runs
# as AS_NOBODY with a home of its own.
set -euo pipefail
BIN=$1 DETA=$2 PROBE=$3 CHECK=$4 IM=$5
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

if [ -z "${ZUNAKA_IM_DESKTOP:-}" ]; then
  chmod 755 "$WORK"; mkdir "$WORK/home"
  [ ${#AS_NOBODY[@]} -eq 0 ] || chown nobody: "$WORK/home"
  # The desktop's user may not reach into the build tree; the desktop makes its own runtime folder.
  copy_program "$BIN" "$DETA" "$WORK/prog" && cp "$PROBE" "$CHECK" "$WORK/prog/"
  rc=0
  env -u XDG_RUNTIME_DIR HOME=$WORK/home ZUNAKA_IM_DESKTOP=1 "${AS_NOBODY[@]}" dbus-run-session -- "$0" "$WORK/prog/zunaka" \
    "$WORK/prog/Deta" "$WORK/prog/$(basename "$PROBE")" "$WORK/prog/$(basename "$CHECK")" "$IM" || rc=$?
  # mozc's server outlives the desktop that started it: the one started with this home goes now.
  for pid in $(pgrep -x mozc_server || true); do
    ! tr '\0' '\n' <"/proc/$pid/environ" 2>/dev/null | grep -qxF "HOME=$WORK/home" || kill "$pid"; done
  exit "$rc"
fi

PROGRAM_DIR=$(dirname "$BIN")
# Every key of every lesson: lesson 6 holds them all.
KEYS=(a s d f g h j k l semicolon colon bracketright q w e r t y u i o p at bracketleft
  z x c v b n m comma period slash 1 2 3 4 5 6 7 8 9 0)
ROMAJI=nihongo KANA=にほんご

# fcitx5: mozc after the Japanese keyboard, so switching on means mozc, which starts in hiragana. Its
# state is 2 when the focused window composes, 1 when it types plainly, 0 before a window has the focus.
start_fcitx5() {
  mkdir -p "$HOME/.config/fcitx5"
  printf '%s\n' '[Groups/0]' 'Name=Default' 'Default Layout=jp' 'DefaultIM=mozc' \
    '[Groups/0/Items/0]' 'Name=keyboard-jp' '[Groups/0/Items/1]' 'Name=mozc' \
    '[GroupOrder]' '0=Default' >"$HOME/.config/fcitx5/profile"
  fcitx5 >"$WORK/im.log" 2>&1 &
  poll 100 fcitx5_up || fail "fcitx5 did not start: $(cat "$WORK/im.log")"
}
# Asked without starting it: fcitx5-remote would have the bus start a second fcitx5.
fcitx5_up() { dbus-send --session --print-reply --dest=org.freedesktop.DBus / org.freedesktop.DBus.NameHasOwner \
  string:org.fcitx.Fcitx5 2>/dev/null | grep -q true; }
fcitx5_state() { fcitx5-remote; }
fcitx5_is() { [ "$(fcitx5-remote)" "$@" ]; }
fcitx5_focused() { poll 50 fcitx5_is != 0 || fail "no window has fcitx5's focus"; }
fcitx5_on() { fcitx5-remote -o; poll 50 fcitx5_is = 2 || fail "fcitx5 did not switch on: $(fcitx5-remote)"; }

# ibus: one engine for every window; mozc starts typing plainly unless told to start in hiragana.
start_ibus() {
  mkdir -p "$HOME/.config/mozc"
  printf '%s\n' 'engines {' ' name: "mozc-jp"' ' longname: "Mozc"' ' layout: "default"' ' rank: 80' '}' \
    'active_on_launch: True' >"$HOME/.config/mozc/ibus_config.textproto"
  ibus-daemon --xim --panel=disable --daemonize >"$WORK/im.log" 2>&1
  # Plain Japanese keys to begin with; the engine can be set once the daemon answers.
  poll 100 ibus_engine xkb:jp::jpn || fail "ibus did not start: $(cat "$WORK/im.log")"
}
ibus_engine() { ibus engine "$1" >/dev/null 2>&1; [ "$(ibus_state)" = "$1" ]; }
ibus_state() { ibus engine 2>/dev/null; }
ibus_on() { ibus_engine mozc-jp || fail "ibus did not switch to mozc"; }
ibus_focused() { sleep 0.5; }

# The key box, as the window shows it at 290,10 of the client area.
box_shot() { eval "$(xdotool getwindowgeometry --shell "$main")"; import -window "$main" -crop "60x70+290+$((HEIGHT - 470))" +repage "$1"; }

# Whether two pictures of the key box show the same: pixel for pixel, but for the blinking text cursor, a
# column one pixel wide that one may show and the other not.
same_box() {
  [ "$(compare -metric AE "$1" "$2" -compose src -highlight-color white -lowlight-color black "$WORK/box-diff.png" 2>&1)" = 0 ] ||
    [ "$(convert "$WORK/box-diff.png" -trim -format %w info:)" = 1 ]
}

# Types one key and waits until the key box shows something new; saves what it shows.
box_changed() { box_shot "$1"; ! same_box "$1" "$WORK/last.png" && cp "$1" "$WORK/last.png"; }
type_into_box() { xdotool key "$1"; poll 30 box_changed "$2" || fail "the key box did not change at the key $1"; }

# Visible top-level windows beside the game's and the line edit's: a candidate window or a preedit box.
strangers() {
  for id in $(xdotool search --onlyvisible --maxdepth 1 --name '' 2>/dev/null); do
    case $(xdotool getwindowname "$id" 2>/dev/null) in "$TITLE" | zunaka-im-check) ;; *) [ "$id" -eq "$ROOT" ] || echo "$id" ;; esac
  done
}
focus_edit() { xdotool mousemove --window "$edit" 10 10 windowfocus --sync "$edit"; "${IM}_focused"; }

start_display
ROOT=$(($(xwininfo -root | sed -n 's/.*Window id: \([0-9a-fx]*\).*/\1/p')))
# The Japanese layout: the toggle keys exist only there.
setxkbmap jp
"start_$IM"
export QT_IM_MODULE=${IM%5}

# The input method composes: romaji typed into a plain line edit become kana.
"$CHECK" >"$WORK/check.out" 2>"$WORK/check.err" & check=$!
poll 100 eval 'edit=$(xdotool search --onlyvisible --name zunaka-im-check 2>/dev/null | head -1); [ -n "$edit" ]' || fail "the line edit did not show"
focus_edit
"${IM}_on"
xdotool type --delay 100 "$ROMAJI"; sleep 0.5
composing=$(strangers | wc -l)
xdotool key Return

# ibus's one engine still composes for the line edit: plain keys for the game's first round.
[ "$IM" = fcitx5 ] || ibus_engine xkb:jp::jpn || fail "ibus did not switch to plain keys"
launch "$BIN"
main=$(past_title)
press "$main" ctrl+g; sleep 0.5
box_shot "$WORK/last.png"
for i in "${!KEYS[@]}"; do type_into_box "${KEYS[i]}" "$WORK/off-$i.png"; done

"${IM}_on"
on=$("${IM}_state")
xdotool key --delay 100 Zenkaku_Hankaku Hiragana_Katakana Henkan_Mode Muhenkan; sleep 0.5
! box_changed "$WORK/toggled.png" && [ "$("${IM}_state")" = "$on" ] || fail "a toggle key changed the box or the input method"
for i in "${!KEYS[@]}"; do
  type_into_box "${KEYS[i]}" "$WORK/on-$i.png"
  same_box "$WORK/on-$i.png" "$WORK/off-$i.png" || fail "${KEYS[i]} shows otherwise with the input method on"
done
[ -z "$(strangers)" ] || fail "a window opened beside the game: $(strangers | xargs -n1 xdotool getwindowname)"

# Still with the input method on: Ctrl+S, the menus from the keyboard, Ctrl+G and catches, Ctrl+Q.
press "$main" ctrl+s
bare "$main" stopped
choose "$main" Left Left Down Return  # つかいかた, the menu before きろく
guide_page "$main"
click_main 580 455
bare "$main" after-ok
press "$main" ctrl+g
type_until_caught "$main" 100
quit_game "$main"

# The line edit still composes, without being switched on again.
focus_edit
xdotool type --delay 100 "$ROMAJI"; sleep 0.5
xdotool key Return; sleep 0.3; xdotool key Escape
wait_exit "$check" || fail "the line edit ended with status $?"
[ "$(cat "$WORK/check.out")" = "$KANA$KANA" ] || fail "the line edit holds \"$(cat "$WORK/check.out")\", not $KANA twice"
# fcitx5 shows its candidates in a window of its own; ibus runs here without its panel.
[ "$IM" = ibus ] || [ "$composing" -gt 0 ] || fail "no candidate window was seen while the line edit composed"
echo "PASS: $IM"
