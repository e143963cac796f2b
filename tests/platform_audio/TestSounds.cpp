#include "TestSounds.h"

#include <cstdint>
#include <fstream>
#include <vector>

namespace zunaka::testing {

namespace {

using Bytes = std::vector<std::uint8_t>;

void putLittle(Bytes& out, std::uint32_t value, int size)
{
    for (int i = 0; i < size; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void save(const std::string& path, const Bytes& bytes)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
}

} // namespace

void writeWave(const std::string& path, double seconds)
{
    constexpr std::uint32_t kRate = 44100;
    constexpr std::uint32_t kFrameBytes = 4;
    const auto dataBytes = static_cast<std::uint32_t>(seconds * kRate) * kFrameBytes;
    Bytes out{'R', 'I', 'F', 'F'};
    putLittle(out, 36 + dataBytes, 4);
    out.insert(out.end(), {'W', 'A', 'V', 'E', 'f', 'm', 't', ' ', 16, 0, 0, 0, 1, 0, 2, 0});  // PCM, stereo
    putLittle(out, kRate, 4);
    putLittle(out, kRate * kFrameBytes, 4);
    out.insert(out.end(), {kFrameBytes, 0, 16, 0, 'd', 'a', 't', 'a'});
    putLittle(out, dataBytes, 4);
    out.resize(out.size() + dataBytes, 0);
    save(path, out);
}

void writeSong(const std::string& path)
{
    // 96 ticks a quarter at the default 120 bpm; the held note lasts 0x2D00 ticks, a minute.
    const Bytes track{
        0x00, 0xC0, 0x00,                                        // piano
        0x00, 0x90, 60, 100, 0x30, 0x80, 60, 0,                  // C, an eighth
        0x00, 0x90, 64, 100, 0x30, 0x80, 64, 0,                  // E
        0x00, 0x90, 48, 100, 0xDA, 0x00, 0x80, 48, 0,            // low C, held
        0x00, 0xFF, 0x2F, 0x00,                                  // end of track
    };
    Bytes out{'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 0, 0, 1, 0, 96, 'M', 'T', 'r', 'k', 0, 0, 0};
    out.push_back(static_cast<std::uint8_t>(track.size()));
    out.insert(out.end(), track.begin(), track.end());
    save(path, out);
}

void writeText(const std::string& path, const std::string& text)
{
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

} // namespace zunaka::testing
