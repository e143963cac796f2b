// encodeMidiFile's bytes, read back by the independent reader in smf_reader.hpp.
#include "midi_file.hpp"
#include "smf_reader.hpp"

#include <gtest/gtest.h>

#include <tuple>

namespace zunaka::midi {
namespace {

using Bytes = std::vector<std::uint8_t>;

// Conductor first (time signature, tempo map), then each instrument: name, program, volume, pan, its notes
// in time order whatever order they came in, a repeated key switched off before it sounds again; every
// track ends where the longest note does.
TEST(MidiFile, LayoutOfTracksAndNotes)
{
    Song song;
    song.beatsPerBar = 2;
    song.beatUnit = 2;
    song.tempos = {{0, 132.0}, {960, 66.0}};
    song.tracks.push_back({"banjo", 1, 105, 90, 40, {{480, 480, 67, 60}, {0, 480, 67, 60}}});
    song.tracks.push_back({"bass", 3, 32, 98, 64, {{0, 1920, 43, 80}}});
    const test::SmfFile file = test::readSmf(encodeMidiFile(song));
    EXPECT_EQ(file.format, 1);
    EXPECT_EQ(file.division, 480);
    ASSERT_EQ(file.tracks.size(), 3u);

    using Rows = std::vector<std::tuple<std::uint32_t, int, Bytes>>; // tick, status or meta type, data
    const Rows expected[] = {
        {{0, 0x58, {2, 1, 48, 8}},        // 2/2, a click every half note
         {0, 0x51, {0x06, 0xEF, 0x91}},   // 454545 us a quarter
         {960, 0x51, {0x0D, 0xDF, 0x23}}, // 909091 us a quarter
         {1920, 0x2F, {}}},
        {{0, 0xC1, {105}}, {0, 0xB1, {7, 90}}, {0, 0xB1, {10, 40}}, {0, 0x91, {67, 60}}, {480, 0x81, {67, 64}},
         {480, 0x91, {67, 60}}, {960, 0x81, {67, 64}}, {1920, 0x2F, {}}},
        {{0, 0xC3, {32}}, {0, 0xB3, {7, 98}}, {0, 0xB3, {10, 64}}, {0, 0x93, {43, 80}}, {1920, 0x83, {43, 64}},
         {1920, 0x2F, {}}},
    };
    for (std::size_t t = 0; t < 3; ++t) {
        const auto& events = file.tracks[t];
        Rows rows;
        for (std::size_t i = 1; i < events.size(); ++i)
            rows.emplace_back(events[i].tick, events[i].status == 0xFF ? events[i].metaType : events[i].status,
                              events[i].data);
        EXPECT_EQ(events.front().metaType, 0x03) << "track " << t << " starts with its name";
        EXPECT_EQ(rows, expected[t]) << "track " << t;
    }
}

} // namespace
} // namespace zunaka::midi
