#pragma once

#include "platform/DataFile.h"
#include "platform/StandardMidiFile.h"

#include <optional>
#include <string>

namespace zunaka {

// Far above any piece a game plays: the game's own is a few kilobytes.
constexpr std::size_t kMaxMusicFileBytes = std::size_t{16} << 20;

// The bytes of the music file when it is a whole standard MIDI file. FluidSynth takes any bytes and only
// finds out, with an error line, when it plays, so the open command checks the file itself, with or
// without a sound device.
inline std::optional<std::string> readStandardMidiFile(const std::string& path)
{
    std::string why;
    auto bytes = readDataFile(path, kMaxMusicFileBytes, why);
    if (!bytes || !isStandardMidiFile(*bytes))
        return std::nullopt;
    return bytes;
}

} // namespace zunaka
