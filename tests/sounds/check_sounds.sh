#!/bin/sh
# Checks the built effects with tools we did not write: file(1) and SoX.
#   check_sounds.sh FILE.wav...
set -eu
fail() { echo "FAIL: $*" >&2; exit 1; }
for wav in "$@"; do
    file -b "$wav" | grep -q "RIFF (little-endian) data, WAVE audio, Microsoft PCM, 16 bit, mono" ||
        fail "$wav: file(1) says $(file -b "$wav")"
    seconds=$(soxi -D "$wav")
    bits=$(soxi -b "$wav")
    rate=$(soxi -r "$wav")
    peak=$(sox "$wav" -n stat 2>&1 | awk '/^Maximum amplitude/ {print $3}')
    trough=$(sox "$wav" -n stat 2>&1 | awk '/^Minimum amplitude/ {print $3}')
    echo "$wav: ${seconds} s, ${bits} bit, ${rate} Hz, peaks ${peak} ${trough}"
    [ "$bits" = 16 ] || fail "$wav has $bits bits"
    [ "$rate" = 44100 ] || [ "$rate" = 22050 ] || fail "$wav runs at $rate Hz"
    awk -v s="$seconds" 'BEGIN { exit !(s > 0.1 && s <= 0.3) }' || fail "$wav lasts $seconds s"
    awk -v p="$peak" -v t="$trough" 'BEGIN { exit !(p <= 0.708 && -t <= 0.708) }' ||
        fail "$wav peaks above -3 dBFS ($peak, $trough)"
done
echo ok
