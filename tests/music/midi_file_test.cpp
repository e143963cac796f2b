#include "midi_file.hpp"
#include "smf_reader.hpp"

#include <gtest/gtest.h>

#include <cmath>

namespace zunaka::midi {
namespace {

using Bytes = std::vector<std::uint8_t>;

TEST(MidiVarLength, EncodesEachGroupBoundary)
{
    const struct {
        std::uint32_t value;
        Bytes expected;
    } cases[] = {
        {0x00, {0x00}},
        {0x40, {0x40}},
        {0x7F, {0x7F}},
        {0x80, {0x81, 0x00}},
        {0x2000, {0xC0, 0x00}},
        {0x3FFF, {0xFF, 0x7F}},
        {0x4000, {0x81, 0x80, 0x00}},
        {0x1FFFFF, {0xFF, 0xFF, 0x7F}},
        {0x200000, {0x81, 0x80, 0x80, 0x00}},
        {0x0FFFFFFF, {0xFF, 0xFF, 0xFF, 0x7F}},
    };
    for (const auto& c : cases) {
        Bytes actual;
        appendVarLength(actual, c.value);
        EXPECT_EQ(actual, c.expected) << "value 0x" << std::hex << c.value;
        std::size_t pos = 0;
        EXPECT_EQ(test::readVarLength(actual, pos), c.value) << "round trip of 0x" << std::hex << c.value;
    }
    Bytes out;
    EXPECT_THROW(appendVarLength(out, 0x10000000), std::out_of_range);
}

Song songWithOneNote(std::uint32_t endTick)
{
    Song song;
    song.tracks.push_back({"t", 0, 0, 100, 64, {{0, endTick, 60, 80}}});
    return song;
}

TEST(MidiDuration, FollowsTheTempoMap)
{
    const struct {
        const char* name;
        std::vector<TempoChange> tempos;
        std::uint32_t tick;
        double seconds;
    } cases[] = {
        {"no tempo event means 120", {}, 960, 1.0},
        {"120 for two quarters", {{0, 120.0}}, 960, 1.0},
        {"one 2/2 bar at 132", {{0, 132.0}}, 1920, 4 * 60.0 / 132},
        {"slowing down half way", {{0, 120.0}, {960, 60.0}}, 1920, 1.0 + 2.0},
        {"a change after the tick is ignored", {{0, 120.0}, {1920, 60.0}}, 960, 1.0},
        {"a change exactly at the tick is ignored", {{0, 120.0}, {960, 30.0}}, 960, 1.0},
        {"three tempos", {{0, 60.0}, {480, 120.0}, {960, 240.0}}, 1440, 1.0 + 0.5 + 0.25},
    };
    for (const auto& c : cases) {
        Song song = songWithOneNote(c.tick);
        song.tempos = c.tempos;
        EXPECT_NEAR(secondsAt(song, c.tick), c.seconds, 1e-5) << c.name;
        EXPECT_NEAR(durationSeconds(song), c.seconds, 1e-5) << c.name;
    }
}

// Conductor first (time signature, tempo map), then each instrument: name, program, volume, pan; every
// track ends where the longest note does.
TEST(MidiFile, LayoutOfTracks)
{
    Song song;
    song.beatsPerBar = 2;
    song.beatUnit = 2;
    song.tempos = {{0, 132.0}, {960, 66.0}};
    song.tracks.push_back({"banjo", 1, 105, 90, 40, {{0, 480, 67, 60}}});
    song.tracks.push_back({"bass", 3, 32, 98, 64, {{0, 1920, 43, 80}}});
    const test::SmfFile file = test::readSmf(encodeMidiFile(song));
    EXPECT_EQ(file.format, 1);
    EXPECT_EQ(file.division, 480);
    ASSERT_EQ(file.tracks.size(), 3u);

    using Rows = std::vector<std::tuple<std::uint32_t, int, Bytes>>;  // tick, status or meta type, data
    const auto rows = [&](std::size_t track, std::size_t count) {
        Rows out;
        for (const auto& event : file.tracks[track])
            if (out.size() < count && event.metaType != 0x03)
                out.emplace_back(event.tick, event.status == 0xFF ? event.metaType : event.status, event.data);
        return out;
    };
    const struct {
        std::size_t track;
        Rows expected;
    } cases[] = {
        {0, {{0, 0x58, {2, 1, 48, 8}},             // 2/2, a click every half note
             {0, 0x51, {0x06, 0xEF, 0x91}},        // 454545 us a quarter
             {960, 0x51, {0x0D, 0xDF, 0x23}},      // 909091 us a quarter
             {1920, 0x2F, {}}}},
        {1, {{0, 0xC1, {105}}, {0, 0xB1, {7, 90}}, {0, 0xB1, {10, 40}}, {0, 0x91, {67, 60}}}},
        {2, {{0, 0xC3, {32}}, {0, 0xB3, {7, 98}}, {0, 0xB3, {10, 64}}, {0, 0x93, {43, 80}}}},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(rows(c.track, c.expected.size()), c.expected) << "track " << c.track;
        EXPECT_EQ(file.tracks[c.track].front().metaType, 0x03) << "track " << c.track << " starts with its name";
        EXPECT_EQ(file.tracks[c.track].back().metaType, 0x2F) << "track " << c.track;
        EXPECT_EQ(file.tracks[c.track].back().tick, 1920u) << "track " << c.track;
    }
}

// The note events of track 1 as (tick, status, key) in file order.
std::vector<std::tuple<std::uint32_t, int, int>> noteEvents(const Song& song)
{
    std::vector<std::tuple<std::uint32_t, int, int>> out;
    const test::SmfFile file = test::readSmf(encodeMidiFile(song));
    for (const auto& event : file.tracks.at(1))
        if ((event.status & 0xE0) == 0x80)
            out.emplace_back(event.tick, event.status, event.data.at(0));
    return out;
}

TEST(MidiFile, NoteTimingAndOrder)
{
    using Events = std::vector<std::tuple<std::uint32_t, int, int>>;
    const struct {
        const char* name;
        std::uint8_t channel;
        std::vector<Note> notes;
        Events expected;
    } cases[] = {
        {"one note", 0, {{0, 480, 60, 80}}, {{0, 0x90, 60}, {480, 0x80, 60}}},
        {"channel bits", 3, {{240, 240, 43, 80}}, {{240, 0x93, 43}, {480, 0x83, 43}}},
        {"same key again: off before on", 1, {{0, 480, 67, 80}, {480, 480, 67, 80}},
         {{0, 0x91, 67}, {480, 0x81, 67}, {480, 0x91, 67}, {960, 0x81, 67}}},
        {"unsorted input comes out in time order", 0, {{960, 480, 62, 80}, {0, 240, 60, 80}},
         {{0, 0x90, 60}, {240, 0x80, 60}, {960, 0x90, 62}, {1440, 0x80, 62}}},
        {"chord", 0, {{0, 960, 55, 70}, {0, 960, 59, 70}},
         {{0, 0x90, 55}, {0, 0x90, 59}, {960, 0x80, 55}, {960, 0x80, 59}}},
    };
    for (const auto& c : cases) {
        Song song;
        song.tracks.push_back({"t", c.channel, 0, 100, 64, c.notes});
        EXPECT_EQ(noteEvents(song), c.expected) << c.name;
    }
}

} // namespace
} // namespace zunaka::midi
