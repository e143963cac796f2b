#pragma once

#include <string>

namespace zunaka::testing {

// Small sound files written by the tests themselves, so they depend on nothing built elsewhere.
namespace sounds {
constexpr int kRate = 44100;
constexpr double kLongSeconds = 10.0;
constexpr double kShortSeconds = 3.0;
} // namespace sounds

// A 16-bit stereo PCM WAVE file of a quiet square wave lasting `seconds`.
void writeWave(const std::string& path, double seconds);

// A format 0 standard MIDI file: a piano phrase of a few short notes, then one note held for about
// half a minute, so the song is still playing when a test looks.
void writeSong(const std::string& path);

void writeText(const std::string& path, const std::string& text);

// A fresh folder of this process (ctest may run several test processes at once).
std::string scratchFolder(const std::string& name);

} // namespace zunaka::testing
