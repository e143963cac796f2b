#include "PiecePresets.h"

#include <algorithm>
#include <array>
#include <cstdint>

namespace zunaka {

namespace {

namespace midi {
constexpr std::string_view kHeader = "MThd";
constexpr std::string_view kTrack = "MTrk";
constexpr int kChunkHeader = 8;
constexpr int kChannels = 16;
constexpr std::uint8_t kNoteOn = 0x90;
constexpr std::uint8_t kController = 0xB0;
constexpr std::uint8_t kProgram = 0xC0;
constexpr std::uint8_t kChannelPressure = 0xD0;
constexpr std::uint8_t kMeta = 0xFF;
constexpr std::uint8_t kSysEx = 0xF0;
constexpr std::uint8_t kSysExContinued = 0xF7;
constexpr int kBankSelect = 0;
} // namespace midi

class Reader {
public:
    Reader(std::string_view bytes, std::size_t at, std::size_t end) : bytes_(bytes), at_(at), end_(end) {}
    bool done() const { return at_ >= end_; }
    std::uint8_t byte() { return at_ < end_ ? static_cast<std::uint8_t>(bytes_[at_++]) : (at_ = end_ + 1, 0); }
    std::uint8_t peek() const { return at_ < end_ ? static_cast<std::uint8_t>(bytes_[at_]) : 0; }
    bool ok() const { return at_ <= end_; }
    std::uint32_t variable()
    {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t b = byte();
            value = (value << 7) | (b & 0x7F);
            if (!(b & 0x80))
                break;
        }
        return value;
    }
    void skip(std::size_t count) { at_ = count > end_ - std::min(at_, end_) ? end_ + 1 : at_ + count; }

private:
    std::string_view bytes_;
    std::size_t at_;
    std::size_t end_;
};

std::uint32_t bigEndian(std::string_view bytes, std::size_t at)
{
    std::uint32_t value = 0;
    for (std::size_t i = 0; i < 4; ++i)
        value = (value << 8) | static_cast<std::uint8_t>(bytes[at + i]);
    return value;
}

// Data bytes that follow a channel message's status byte.
int dataBytes(std::uint8_t status)
{
    const std::uint8_t kind = status & 0xF0;
    return kind == midi::kProgram || kind == midi::kChannelPressure ? 1 : 2;
}

struct ChannelState {
    int bank = 0;
    bool programChosen = false;
};

void readTrack(Reader track, PieceNeeds& needs)
{
    std::array<ChannelState, midi::kChannels> channels{};
    std::uint8_t running = 0;
    while (!track.done() && track.ok()) {
        track.variable();
        std::uint8_t status = track.peek();
        if (status & 0x80)
            track.byte();
        else
            status = running;
        if (status == midi::kMeta) {
            track.byte();
            track.skip(track.variable());
            continue;
        }
        if (status == midi::kSysEx || status == midi::kSysExContinued) {
            track.skip(track.variable());
            continue;
        }
        if (!(status & 0x80))
            return;
        running = status;
        const int channel = status & 0x0F;
        const std::uint8_t first = track.byte();
        const std::uint8_t second = dataBytes(status) == 2 ? track.byte() : 0;
        ChannelState& state = channels[static_cast<std::size_t>(channel)];
        const std::uint8_t kind = status & 0xF0;
        if (kind == midi::kController && first == midi::kBankSelect) {
            state.bank = second;
        } else if (kind == midi::kProgram) {
            state.programChosen = true;
            needs.presets.insert({channel == gm::kDrumChannel ? gm::kDrumBank : state.bank, first});
        } else if (kind == midi::kNoteOn && second > 0 && !state.programChosen) {
            needs.defaultChannels.insert(channel);
        }
    }
}

} // namespace

PieceNeeds piecePresets(std::string_view bytes)
{
    PieceNeeds needs;
    if (bytes.size() < midi::kChunkHeader || bytes.substr(0, midi::kHeader.size()) != midi::kHeader)
        return needs;
    std::size_t at = 0;
    while (at + midi::kChunkHeader <= bytes.size()) {
        const std::uint32_t length = bigEndian(bytes, at + 4);
        const std::size_t body = at + midi::kChunkHeader;
        const std::size_t end = std::min<std::size_t>(bytes.size(), body + length);
        if (bytes.substr(at, midi::kTrack.size()) == midi::kTrack)
            readTrack(Reader(bytes, body, end), needs);
        at = body + length;
    }
    return needs;
}

} // namespace zunaka
