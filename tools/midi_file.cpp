// Byte layout follows the Standard MIDI File 1.0 format: big-endian chunk lengths, delta times as
// variable-length quantities, every event with its own status byte (no running status).
#include "midi_file.hpp"

#include <algorithm>
#include <cmath>
#include <stdexcept>

namespace zunaka::midi {
namespace {

constexpr std::uint8_t kNoteOff = 0x80;
constexpr std::uint8_t kNoteOn = 0x90;
constexpr std::uint8_t kControl = 0xB0;
constexpr std::uint8_t kProgram = 0xC0;
constexpr std::uint8_t kMeta = 0xFF;
constexpr std::uint8_t kMetaTrackName = 0x03;
constexpr std::uint8_t kMetaEndOfTrack = 0x2F;
constexpr std::uint8_t kMetaTempo = 0x51;
constexpr std::uint8_t kMetaTimeSignature = 0x58;
constexpr std::uint8_t kControllerVolume = 7;
constexpr std::uint8_t kControllerPan = 10;
constexpr std::uint8_t kReleaseVelocity = 64;
constexpr std::uint8_t kClocksPerQuarter = 24;
constexpr std::uint8_t kThirtySecondsPerQuarter = 8;
constexpr std::uint32_t kMaxVarLength = 0x0FFFFFFF;
constexpr double kMicrosPerMinute = 60'000'000.0;

// One timed event of a track before delta encoding. `order` breaks ties at the same tick so that
// set-up comes first and a note ends before the next one of the same key starts.
struct Event {
    std::uint32_t tick;
    int order;
    std::vector<std::uint8_t> bytes;
};

enum Order { kSetup = 0, kOff = 1, kOn = 2 };

void appendBigEndian(std::vector<std::uint8_t>& out, std::uint32_t value, int bytes)
{
    for (int shift = 8 * (bytes - 1); shift >= 0; shift -= 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

std::uint32_t microsPerQuarter(double quartersPerMinute)
{
    return static_cast<std::uint32_t>(std::lround(kMicrosPerMinute / quartersPerMinute));
}

std::vector<std::uint8_t> metaEvent(std::uint8_t type, const std::vector<std::uint8_t>& data)
{
    std::vector<std::uint8_t> bytes{kMeta, type};
    appendVarLength(bytes, static_cast<std::uint32_t>(data.size()));
    bytes.insert(bytes.end(), data.begin(), data.end());
    return bytes;
}

std::vector<std::uint8_t> nameEvent(const std::string& name)
{
    return metaEvent(kMetaTrackName, std::vector<std::uint8_t>(name.begin(), name.end()));
}

std::uint8_t log2Exact(std::uint8_t unit)
{
    for (std::uint8_t power = 0; power < 8; ++power)
        if ((1u << power) == unit)
            return power;
    throw std::invalid_argument("beat unit is not a power of two");
}

// Sorts the events, turns their ticks into deltas and wraps them in an MTrk chunk ending at `lastTick`.
void appendTrackChunk(std::vector<std::uint8_t>& out, std::vector<Event> events, std::uint32_t lastTick)
{
    std::stable_sort(events.begin(), events.end(), [](const Event& a, const Event& b) {
        return a.tick != b.tick ? a.tick < b.tick : a.order < b.order;
    });
    events.push_back({std::max(lastTick, events.empty() ? 0u : events.back().tick), kOff,
                      metaEvent(kMetaEndOfTrack, {})});
    std::vector<std::uint8_t> body;
    std::uint32_t previous = 0;
    for (const Event& event : events) {
        appendVarLength(body, event.tick - previous);
        body.insert(body.end(), event.bytes.begin(), event.bytes.end());
        previous = event.tick;
    }
    out.insert(out.end(), {'M', 'T', 'r', 'k'});
    appendBigEndian(out, static_cast<std::uint32_t>(body.size()), 4);
    out.insert(out.end(), body.begin(), body.end());
}

std::vector<Event> conductorEvents(const Song& song)
{
    std::vector<Event> events;
    events.push_back({0, kSetup, nameEvent("conductor")});
    events.push_back({0, kSetup, metaEvent(kMetaTimeSignature,
                                           {song.beatsPerBar, log2Exact(song.beatUnit),
                                            static_cast<std::uint8_t>(kClocksPerQuarter * 4 / song.beatUnit),
                                            kThirtySecondsPerQuarter})});
    for (const TempoChange& tempo : song.tempos) {
        std::vector<std::uint8_t> data;
        appendBigEndian(data, microsPerQuarter(tempo.quartersPerMinute), 3);
        events.push_back({tempo.tick, kSetup, metaEvent(kMetaTempo, data)});
    }
    return events;
}

std::vector<Event> instrumentEvents(const Track& track)
{
    const auto channel = static_cast<std::uint8_t>(track.channel & 0x0F);
    std::vector<Event> events;
    events.push_back({0, kSetup, nameEvent(track.name)});
    events.push_back({0, kSetup, {static_cast<std::uint8_t>(kProgram | channel), track.program}});
    events.push_back({0, kSetup, {static_cast<std::uint8_t>(kControl | channel), kControllerVolume, track.volume}});
    events.push_back({0, kSetup, {static_cast<std::uint8_t>(kControl | channel), kControllerPan, track.pan}});
    for (const Note& note : track.notes) {
        events.push_back({note.tick, kOn, {static_cast<std::uint8_t>(kNoteOn | channel), note.key, note.velocity}});
        events.push_back({note.tick + note.length, kOff,
                          {static_cast<std::uint8_t>(kNoteOff | channel), note.key, kReleaseVelocity}});
    }
    return events;
}

} // namespace

void appendVarLength(std::vector<std::uint8_t>& out, std::uint32_t value)
{
    if (value > kMaxVarLength)
        throw std::out_of_range("value too large for a MIDI variable-length quantity");
    std::uint8_t groups[4];
    int count = 0;
    do {
        groups[count++] = static_cast<std::uint8_t>(value & 0x7F);
        value >>= 7;
    } while (value != 0);
    while (count > 1)
        out.push_back(static_cast<std::uint8_t>(groups[--count] | 0x80));
    out.push_back(groups[0]);
}

std::uint32_t endTick(const Song& song)
{
    std::uint32_t last = 0;
    for (const Track& track : song.tracks)
        for (const Note& note : track.notes)
            last = std::max(last, note.tick + note.length);
    return last;
}

double secondsAt(const Song& song, std::uint32_t tick)
{
    double seconds = 0.0;
    std::uint32_t from = 0;
    std::uint32_t micros = microsPerQuarter(120.0);  // the format's default until the first tempo event
    for (const TempoChange& tempo : song.tempos) {
        if (tempo.tick >= tick)
            break;
        seconds += double(tempo.tick - from) * micros / 1e6 / song.ticksPerQuarter;
        from = tempo.tick;
        micros = microsPerQuarter(tempo.quartersPerMinute);
    }
    return seconds + double(tick - from) * micros / 1e6 / song.ticksPerQuarter;
}

double durationSeconds(const Song& song)
{
    return secondsAt(song, endTick(song));
}

std::vector<std::uint8_t> encodeMidiFile(const Song& song)
{
    std::vector<std::uint8_t> out{'M', 'T', 'h', 'd'};
    appendBigEndian(out, 6, 4);
    appendBigEndian(out, 1, 2);
    appendBigEndian(out, static_cast<std::uint32_t>(song.tracks.size() + 1), 2);
    appendBigEndian(out, song.ticksPerQuarter, 2);
    const std::uint32_t last = endTick(song);
    appendTrackChunk(out, conductorEvents(song), last);
    for (const Track& track : song.tracks)
        appendTrackChunk(out, instrumentEvents(track), last);
    return out;
}

} // namespace zunaka::midi
