#!/bin/sh
# Renders Blugrass.mid with FluidSynth and the system's General MIDI SoundFont and checks, with SoX,
# that it is a minute of audible music that ends cleanly before the game restarts it at 67 s.
#   check_music.sh FILE.mid WORK_DIR
set -eu
mid=$1
work=$2
mkdir -p "$work"

fail() { echo "FAIL: $*" >&2; exit 1; }

file -b "$mid" | grep -q "Standard MIDI data (format 1)" || fail "file(1) says: $(file -b "$mid")"

font=""
for candidate in /usr/share/sounds/sf2/default-GM.sf2 /usr/share/sounds/sf3/default-GM.sf3 \
                 /usr/share/sounds/sf2/TimGM6mb.sf2; do
    if [ -e "$candidate" ]; then font=$candidate; break; fi
done
[ -n "$font" ] || fail "no General MIDI SoundFont installed"

wav="$work/Blugrass.wav"
fluidsynth -ni -q -F "$wav" -r 44100 "$font" "$mid" >/dev/null 2>&1 || fail "fluidsynth could not render"

# FluidSynth keeps rendering a few seconds of near-silence after the last note; what counts is where
# the sound itself ends, so trailing audio below -60 dBFS is cut before measuring.
audible=$(sox "$wav" -n reverse silence 1 0.01 -60d reverse stat 2>&1 | awk '/^Length/ {print $3}')
rms=$(sox "$wav" -n stat 2>&1 | awk '/^RMS +amplitude/ {print $3}')
peak=$(sox "$wav" -n stat 2>&1 | awk '/^Maximum amplitude/ {print $3}')
echo "font $font: audible ${audible} s, RMS ${rms}, peak ${peak}"

awk -v s="$audible" 'BEGIN { exit !(s >= 60 && s <= 66) }' || fail "audible length ${audible} s is not 60..66 s"
awk -v r="$rms" 'BEGIN { exit !(r >= 0.003) }' || fail "RMS ${rms} (below -50 dBFS): nearly silent"
awk -v p="$peak" 'BEGIN { exit !(p < 0.99) }' || fail "peak ${peak}: clipping"

# Every stretch of ten seconds carries sound: no instrument-less gap or early end inside the piece.
for start in 0 10 20 30 40 50; do
    part=$(sox "$wav" -n trim "$start" 10 stat 2>&1 | awk '/^RMS +amplitude/ {print $3}')
    awk -v r="$part" 'BEGIN { exit !(r >= 0.003) }' || fail "seconds ${start}..$((start + 10)) nearly silent (RMS ${part})"
done
echo "ok"
