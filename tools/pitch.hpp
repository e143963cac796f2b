// Note names, durations and chord symbols of our score notation, turned into MIDI numbers.
// Used by the score parser for every note, rest length and chord-pattern token it meets.
#pragma once

#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

namespace zunaka::score {

// "C4" = 60, "F#3" = 54, "Bb2" = 46; nothing for text that is not a note name or leaves 0..127.
std::optional<int> parseNoteName(std::string_view text);

// Length in ticks of "4" (quarter), "8." (dotted eighth), "2+8" (half tied to an eighth), ...
// Each term is 1, 2, 4, 8, 16 or 32, optionally dotted; nothing if malformed or not a whole tick.
std::optional<std::uint32_t> parseDuration(std::string_view text, std::uint32_t ticksPerQuarter);

// A chord symbol: root letter, optional # or b, quality ("", m, 7, m7, maj7, dim, sus4, 6).
struct Chord {
    int rootClass = 0;              // 0 = C .. 11 = B
    std::vector<int> intervals;     // semitones above the root, ascending, starting with 0
};
std::optional<Chord> parseChord(std::string_view text);

// The chord's `index`-th tone counted upwards from its root, the root being the lowest key at or above
// `lowKey` of that pitch class (0 = root, 1 = next chord tone, ...; negative counts downwards below the
// root). Nothing if the key leaves 0..127.
std::optional<int> chordTone(const Chord& chord, int lowKey, int index);

} // namespace zunaka::score
