#!/usr/bin/env bash
# A flood of keys into a game of the real program:
#   key_flood.sh BINARY PROGRAM_DIR PROBE
# PROGRAM_DIR holds Deta/; PROBE is zunaka_e2e_probe, which reads the counts off the window.
# 10,000 presses and releases of the first lesson's keys, as fast as the X server takes them. Afterwards
# the counts on screen are consistent (caught <= popped <= moles a game), the game still answers (stop,
# then quit with status 0) and its memory has not grown with the keys. Prints the figures.
set -euo pipefail
BIN=$1 PROGRAM_DIR=$2 PROBE=$3
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

KEYS=(a s d f g h j k l semicolon colon bracketright)
PRESSES=10000
SENDERS=4  # xdotool waits on the server after every key: several senders keep the keys coming

cpu_ticks() { awk '{ print $14 + $15 }' "/proc/$PID/stat"; }
rss_kib() { awk '/VmRSS/ { print $2 }' "/proc/$PID/status"; }
now_ms() { echo $(($(date +%s%N) / 1000000)); }

# The counts on the screen now, as "POPPED CAUGHT"; nothing while the strip reads as no count.
read_counts() {
  "$PROBE" "$PROGRAM_DIR" counts "$main" | sed -n 's|^strip=\([0-9]*\)/\([0-9]*\)$|\1 \2|p' | grep .
}

start_display; launch "$BIN"
main=$(past_title)
press "$main" ctrl+g
# A mole up first, so the flood has one to catch.
for _ in $(seq 100); do read -r popped caught < <(read_counts) && [ "$popped" -ge 1 ] && break; sleep 0.1; done

list=()
for ((i = 0; i < PRESSES / SENDERS; ++i)); do list+=("${KEYS[i % ${#KEYS[@]}]}"); done
rss_before=$(rss_kib) cpu_before=$(cpu_ticks) start=$(now_ms)
senders=()
for ((i = 0; i < SENDERS; ++i)); do xdotool key --delay 0 "${list[@]}" & senders+=($!); done
wait "${senders[@]}"
flood_ms=$(($(now_ms) - start)) cpu=$(($(cpu_ticks) - cpu_before))
kill -0 "$PID" || fail "the game died in the flood"

read -r popped caught < <(read_counts) || fail "the counts on screen cannot be read"
[ "$caught" -ge 1 ] && [ "$caught" -le "$popped" ] && [ "$popped" -le 30 ] ||
  fail "inconsistent counts on screen: $popped popped, $caught caught"
rss_after=$(rss_kib)
# 10,000 key events take a few hundred KiB even if every one were still queued. AddressSanitizer holds
# freed memory back (256 MiB), so there the leak check at exit stands in for this one.
if ! ldd "$BIN" | grep -q libasan; then
  [ $((rss_after - rss_before)) -lt 65536 ] || fail "resident memory grew from $rss_before to $rss_after KiB"
fi

start=$(now_ms)
press "$main" ctrl+s
quit_game "$main"
quit_ms=$(($(now_ms) - start))
echo "$PRESSES presses in $flood_ms ms; game CPU $((cpu * 1000 / $(getconf CLK_TCK) * 100 / flood_ms)) % of a core;" \
  "$popped popped, $caught caught; resident $rss_before -> $rss_after KiB; stop and quit took $quit_ms ms"
