#pragma once

#include <cstdio>
#include <string>

namespace zunaka {

// Renders a standard MIDI file with FluidSynth as the game plays it: the synthesizer set up by
// musicSettings(), the SoundFont read through a view of only the presets the piece selects, from the
// first note until the player has ended and the last voice has died away (at most
// rendered::kMaxFrames). Writes the header and the samples of a rendered piece to `out`. False when the
// SoundFont cannot be read (said on stderr) or a write to `out` fails (left to the caller).
bool renderPiece(const std::string& piece, const std::string& soundFont, std::FILE* out);

} // namespace zunaka
