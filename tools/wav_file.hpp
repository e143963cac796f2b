// 16-bit mono PCM WAV encoding for the game's two sound effects, written by zunaka_synth_effects.
#pragma once

#include <cstdint>
#include <vector>

namespace zunaka::sound {

// A sample in -1..1 as a 16-bit value: scaled by 32767, rounded to nearest, clamped.
std::int16_t toPcm16(double sample);

// RIFF/WAVE file: a "fmt " chunk (PCM, one channel, 16 bits) and the "data" chunk, nothing else.
std::vector<std::uint8_t> encodeWav(const std::vector<double>& samples, int sampleRate);

} // namespace zunaka::sound
