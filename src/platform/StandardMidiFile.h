#pragma once

#include <string_view>

namespace zunaka {

// Whether the bytes are a whole Standard MIDI File: a header chunk "MThd" of format 0, 1 or 2 naming at
// least one track and a non-zero division, followed by that many "MTrk" chunks, none cut off (chunks of
// other types between them are skipped, as readers of the format must). FluidSynth takes any bytes and
// parses them only when it plays: SDL_mixer reports an empty or foreign file playing, and a cut-off one
// prints an error at every play. So the music is checked before it is handed over.
bool isStandardMidiFile(std::string_view bytes);

} // namespace zunaka
