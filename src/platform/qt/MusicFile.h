#pragma once

#include "platform/StandardMidiFile.h"

#include <fstream>
#include <string>

namespace zunaka {

// The music is always a whole standard MIDI file. FluidSynth takes any bytes and only finds out, with an
// error line, when it plays, so the open command checks the file itself, with or without a sound device.
inline bool holdsStandardMidiFile(const std::string& path)
{
    // Read through istream::read, which turns a read error (a folder) into a failed stream; a stream
    // buffer iterator would throw it.
    std::ifstream file(path, std::ios::binary);
    std::string bytes;
    char block[4096];
    while (file.read(block, sizeof block), file.gcount() > 0)
        bytes.append(block, static_cast<std::size_t>(file.gcount()));
    return isStandardMidiFile(bytes);
}

} // namespace zunaka
