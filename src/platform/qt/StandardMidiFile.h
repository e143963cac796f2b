#pragma once

#include <fstream>
#include <string>
#include <string_view>

namespace zunaka {

// The music is always a standard MIDI file. FluidSynth takes any bytes and only finds out when it plays,
// so the open command checks the file's tag itself, with or without a sound device.
inline bool isStandardMidiFile(const std::string& path)
{
    constexpr std::string_view kTag = "MThd";
    std::string head(kTag.size(), '\0');
    std::ifstream file(path, std::ios::binary);
    return file.read(head.data(), static_cast<std::streamsize>(head.size())) && head == kTag;
}

} // namespace zunaka
