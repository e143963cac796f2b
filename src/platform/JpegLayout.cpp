#include "JpegLayout.h"

namespace zunaka {

namespace {

namespace marker {
constexpr unsigned char kPrefix = 0xff;
constexpr unsigned char kStartOfImage = 0xd8;
constexpr unsigned char kEndOfImage = 0xd9;
constexpr unsigned char kStartOfScan = 0xda;
constexpr unsigned char kFirstRestart = 0xd0;
constexpr unsigned char kLastRestart = 0xd7;
constexpr unsigned char kTemporary = 0x01;
// Frame headers are 0xc0 to 0xcf, but for the Huffman and arithmetic tables and JPG extensions.
constexpr unsigned char kFirstFrame = 0xc0;
constexpr unsigned char kLastFrame = 0xcf;
constexpr unsigned char kHuffmanTables = 0xc4;
constexpr unsigned char kExtension = 0xc8;
constexpr unsigned char kArithmeticTables = 0xcc;
} // namespace marker

// In a frame header, after its length: precision, then height and width.
constexpr std::size_t kFrameHeightAt = 3;
constexpr std::size_t kFrameWidthAt = 5;

unsigned char byteAt(std::string_view bytes, std::size_t at)
{
    return static_cast<unsigned char>(bytes[at]);
}

int twoBytesAt(std::string_view bytes, std::size_t at)
{
    return byteAt(bytes, at) << 8 | byteAt(bytes, at + 1);
}

bool isFrameHeader(unsigned char m)
{
    return m >= marker::kFirstFrame && m <= marker::kLastFrame && m != marker::kHuffmanTables &&
           m != marker::kExtension && m != marker::kArithmeticTables;
}

bool standsAlone(unsigned char m)
{
    return (m >= marker::kFirstRestart && m <= marker::kLastRestart) || m == marker::kTemporary || m == 0;
}

// From just after a scan's header to its end: inside a scan a 0xFF byte is followed by 0x00 (a stuffed
// data byte) or a restart marker, so the first other marker ends it.
std::size_t endOfScan(std::string_view bytes, std::size_t at)
{
    for (; at + 1 < bytes.size(); ++at) {
        const unsigned char next = byteAt(bytes, at + 1);
        if (byteAt(bytes, at) == marker::kPrefix && next != 0 &&
            !(next >= marker::kFirstRestart && next <= marker::kLastRestart))
            return at;
    }
    return bytes.size();
}

} // namespace

std::optional<JpegLayout> readJpegLayout(std::string_view bytes)
{
    if (bytes.size() < 2 || byteAt(bytes, 0) != marker::kPrefix || byteAt(bytes, 1) != marker::kStartOfImage)
        return std::nullopt;
    JpegLayout layout;
    std::size_t at = 2;
    for (;;) {
        // Stray bytes and fill bytes before a marker are skipped, as libjpeg skips them.
        while (at < bytes.size() && byteAt(bytes, at) != marker::kPrefix)
            ++at;
        while (at < bytes.size() && byteAt(bytes, at) == marker::kPrefix)
            ++at;
        if (at >= bytes.size())
            return layout;
        const unsigned char m = byteAt(bytes, at++);
        if (m == marker::kEndOfImage) {
            layout.whole = true;
            return layout;
        }
        if (standsAlone(m))
            continue;
        // A segment: its length counts itself, and all of it must be there.
        if (bytes.size() - at < 2)
            return layout;
        const auto length = static_cast<std::size_t>(twoBytesAt(bytes, at));
        if (length < 2 || length > bytes.size() - at)
            return layout;
        if (isFrameHeader(m) && length > kFrameWidthAt + 1) {
            layout.height = twoBytesAt(bytes, at + kFrameHeightAt);
            layout.width = twoBytesAt(bytes, at + kFrameWidthAt);
        }
        at += length;
        if (m == marker::kStartOfScan)
            at = endOfScan(bytes, at);
    }
}

} // namespace zunaka
