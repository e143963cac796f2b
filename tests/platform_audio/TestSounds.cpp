#include "TestSounds.h"

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

#include <unistd.h>

namespace zunaka::testing {

namespace {

using Bytes = std::vector<std::uint8_t>;

void putLittle(Bytes& out, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void putBig(Bytes& out, std::uint32_t value, int size)
{
    for (int i = size - 1; i >= 0; --i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void putText(Bytes& out, const char* text)
{
    for (; *text; ++text)
        out.push_back(static_cast<std::uint8_t>(*text));
}

// A MIDI variable-length quantity.
void putDelta(Bytes& out, std::uint32_t ticks)
{
    Bytes groups{static_cast<std::uint8_t>(ticks & 0x7F)};
    while (ticks >>= 7)
        groups.insert(groups.begin(), static_cast<std::uint8_t>(0x80 | (ticks & 0x7F)));
    out.insert(out.end(), groups.begin(), groups.end());
}

void save(const std::string& path, const Bytes& bytes)
{
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

namespace midi {
constexpr std::uint32_t kDivision = 96;  // ticks a quarter note; 120 bpm by default
constexpr std::uint8_t kVelocity = 100;
constexpr std::uint8_t kPhrase[] = {60, 64, 67, 72};
constexpr std::uint8_t kHeldNote = 48;
constexpr std::uint32_t kHeldQuarters = 60;  // half a second each
} // namespace midi

void putNote(Bytes& track, std::uint8_t note, std::uint32_t ticks)
{
    putDelta(track, 0);
    track.insert(track.end(), {0x90, note, midi::kVelocity});
    putDelta(track, ticks);
    track.insert(track.end(), {0x80, note, 0});
}

} // namespace

void writeWave(const std::string& path, double seconds)
{
    constexpr int kChannels = 2;
    constexpr int kBytesPerSample = 2;
    constexpr int kHalfPeriod = 50;
    constexpr std::int16_t kLevel = 2000;
    const auto frames = static_cast<std::uint32_t>(seconds * sounds::kRate);
    const std::uint32_t dataBytes = frames * kChannels * kBytesPerSample;
    Bytes out;
    putText(out, "RIFF");
    putLittle(out, 36 + dataBytes, 4);
    putText(out, "WAVEfmt ");
    putLittle(out, 16, 4);
    putLittle(out, 1, 2);  // PCM
    putLittle(out, kChannels, 2);
    putLittle(out, sounds::kRate, 4);
    putLittle(out, sounds::kRate * kChannels * kBytesPerSample, 4);
    putLittle(out, kChannels * kBytesPerSample, 2);
    putLittle(out, 8 * kBytesPerSample, 2);
    putText(out, "data");
    putLittle(out, dataBytes, 4);
    for (std::uint32_t frame = 0; frame < frames; ++frame) {
        const std::int16_t sample = (frame / kHalfPeriod) % 2 ? kLevel : -kLevel;
        for (int channel = 0; channel < kChannels; ++channel)
            putLittle(out, static_cast<std::uint16_t>(sample), kBytesPerSample);
    }
    save(path, out);
}

void writeSong(const std::string& path)
{
    Bytes track;
    putDelta(track, 0);
    track.insert(track.end(), {0xC0, 0});  // acoustic grand piano
    for (std::uint8_t note : midi::kPhrase)
        putNote(track, note, midi::kDivision / 2);
    putNote(track, midi::kHeldNote, midi::kHeldQuarters * midi::kDivision);
    putDelta(track, 0);
    track.insert(track.end(), {0xFF, 0x2F, 0x00});

    Bytes out;
    putText(out, "MThd");
    putBig(out, 6, 4);
    putBig(out, 0, 2);
    putBig(out, 1, 2);
    putBig(out, midi::kDivision, 2);
    putText(out, "MTrk");
    putBig(out, static_cast<std::uint32_t>(track.size()), 4);
    out.insert(out.end(), track.begin(), track.end());
    save(path, out);
}

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

std::string scratchFolder(const std::string& name)
{
    const auto folder = std::filesystem::temp_directory_path() / (name + "-" + std::to_string(getpid()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    return folder.string();
}

} // namespace zunaka::testing
