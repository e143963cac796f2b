// A small Standard MIDI File reader for the music tests: reads back what encodeMidiFile wrote by an
// independent path, so the tests check the bytes rather than the writer's own structures.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <vector>

namespace zunaka::test {

struct SmfEvent {
    std::uint32_t tick = 0;
    std::uint8_t status = 0; // 0xFF for meta events
    std::uint8_t metaType = 0;
    std::vector<std::uint8_t> data; // channel message data bytes, or the meta event's payload
};

struct SmfFile {
    int format = -1;
    int division = 0;
    std::vector<std::vector<SmfEvent>> tracks;
};

// Throws on anything but well-formed chunks of complete events without running status.
inline SmfFile readSmf(const std::vector<std::uint8_t>& bytes)
{
    std::size_t pos = 0;
    const auto big = [&](int count) {
        std::uint32_t value = 0;
        while (count-- > 0)
            value = value << 8 | bytes.at(pos++);
        return value;
    };
    const auto varLength = [&] {
        std::uint32_t value = 0;
        for (int i = 0; i < 4; ++i) {
            const std::uint8_t byte = bytes.at(pos++);
            value = value << 7 | (byte & 0x7F);
            if (!(byte & 0x80))
                return value;
        }
        throw std::runtime_error("variable-length quantity longer than four bytes");
    };
    SmfFile file;
    if (big(4) != 0x4D546864 || big(4) != 6)
        throw std::runtime_error("no MThd header");
    file.format = static_cast<int>(big(2));
    const std::uint32_t count = big(2);
    file.division = static_cast<int>(big(2));
    for (std::uint32_t i = 0; i < count; ++i) {
        if (big(4) != 0x4D54726B)
            throw std::runtime_error("no MTrk chunk");
        const std::size_t end = big(4) + pos;
        auto& events = file.tracks.emplace_back();
        for (std::uint32_t tick = 0; pos < end;) {
            SmfEvent& event = events.emplace_back();
            event.tick = tick += varLength();
            event.status = bytes.at(pos++);
            if (event.status < 0x80)
                throw std::runtime_error("running status or stray data byte");
            std::size_t length = (event.status & 0xE0) == 0xC0 ? 1 : 2; // program and pressure take one
            if (event.status == 0xFF) {
                event.metaType = bytes.at(pos++);
                length = varLength();
            }
            if (pos + length > end || end > bytes.size())
                throw std::runtime_error("event runs past its track or the file");
            event.data.assign(bytes.begin() + static_cast<long>(pos), bytes.begin() + static_cast<long>(pos + length));
            pos += length;
        }
        if (pos != end)
            throw std::runtime_error("track chunk length does not match its events");
    }
    if (pos != bytes.size())
        throw std::runtime_error("bytes after the last track");
    return file;
}

} // namespace zunaka::test
