#include "StandardMidiFile.h"

#include <cstdint>

namespace zunaka {

namespace {

constexpr std::size_t kChunkHeader = 8;  // type and length
constexpr std::size_t kHeaderFields = 6;  // format, tracks, division

std::uint32_t bigEndian(std::string_view bytes, std::size_t at, std::size_t count)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < count; ++i)
        value = value << 8 | static_cast<unsigned char>(bytes[at + i]);
    return value;
}

} // namespace

bool isStandardMidiFile(std::string_view bytes)
{
    if (bytes.size() < kChunkHeader + kHeaderFields || bytes.substr(0, 4) != "MThd")
        return false;
    const std::uint32_t headerLength = bigEndian(bytes, 4, 4);
    const std::uint32_t format = bigEndian(bytes, 8, 2);
    std::uint32_t tracks = bigEndian(bytes, 10, 2);
    const std::uint32_t division = bigEndian(bytes, 12, 2);
    if (headerLength < kHeaderFields || format > 2 || tracks == 0 || division == 0)
        return false;
    // Lengths are compared with what is left, never added to a position, so no sum can overflow.
    std::size_t at = kChunkHeader;
    if (headerLength > bytes.size() - at)
        return false;
    at += headerLength;
    while (tracks > 0) {
        if (bytes.size() - at < kChunkHeader)
            return false;
        const std::uint32_t length = bigEndian(bytes, at + 4, 4);
        const bool isTrack = bytes.substr(at, 4) == "MTrk";
        at += kChunkHeader;
        if (length > bytes.size() - at)
            return false;
        at += length;
        if (isTrack)
            --tracks;
    }
    return true;
}

} // namespace zunaka
