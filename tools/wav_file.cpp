#include "wav_file.hpp"

#include <algorithm>
#include <cmath>
#include <string_view>

namespace zunaka::sound {
namespace {

constexpr double kFullScale = 32767.0;
constexpr std::uint16_t kFormatPcm = 1;
constexpr std::uint16_t kChannels = 1;
constexpr std::uint16_t kBitsPerSample = 16;
constexpr std::uint32_t kFmtChunkSize = 16;
constexpr std::uint32_t kHeaderAfterRiffSize = 4 + 8 + kFmtChunkSize + 8;  // "WAVE", fmt chunk, data header

void appendLittleEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
}

void appendTag(std::vector<std::uint8_t>& out, std::string_view tag)
{
    out.insert(out.end(), tag.begin(), tag.end());
}

} // namespace

std::int16_t toPcm16(double sample)
{
    const double scaled = std::round(std::clamp(sample, -1.0, 1.0) * kFullScale);
    return static_cast<std::int16_t>(scaled);
}

std::vector<std::uint8_t> encodeWav(const std::vector<double>& samples, int sampleRate)
{
    const std::uint16_t blockAlign = kChannels * kBitsPerSample / 8;
    const auto dataSize = static_cast<std::uint32_t>(samples.size() * blockAlign);
    std::vector<std::uint8_t> out;
    out.reserve(8 + kHeaderAfterRiffSize + dataSize);
    appendTag(out, "RIFF");
    appendLittleEndian(out, kHeaderAfterRiffSize + dataSize, 4);
    appendTag(out, "WAVE");
    appendTag(out, "fmt ");
    appendLittleEndian(out, kFmtChunkSize, 4);
    appendLittleEndian(out, kFormatPcm, 2);
    appendLittleEndian(out, kChannels, 2);
    appendLittleEndian(out, static_cast<std::uint32_t>(sampleRate), 4);
    appendLittleEndian(out, static_cast<std::uint32_t>(sampleRate) * blockAlign, 4);
    appendLittleEndian(out, blockAlign, 2);
    appendLittleEndian(out, kBitsPerSample, 2);
    appendTag(out, "data");
    appendLittleEndian(out, dataSize, 4);
    for (double sample : samples)
        appendLittleEndian(out, static_cast<std::uint16_t>(toPcm16(sample)), 2);
    return out;
}

} // namespace zunaka::sound
