#pragma once

#include <string>

namespace zunaka::testing {

// Small sound files written by the tests themselves, so they depend on nothing built elsewhere.
constexpr double kLongEffectSeconds = 10.0;
constexpr double kShortEffectSeconds = 3.0;

// A silent 16-bit stereo 44.1 kHz WAVE file lasting `seconds`.
void writeWave(const std::string& path, double seconds);

// A standard MIDI file: two short piano notes, then one held for a minute, so the song still plays
// when a test looks.
void writeSong(const std::string& path);

void writeText(const std::string& path, const std::string& text);

} // namespace zunaka::testing
