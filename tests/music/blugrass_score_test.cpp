// Checks on the game's own piece: length against the game's 67-second restart, the band it asks for,
// and notes each instrument can play.
#include "score_parser.hpp"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <set>
#include <sstream>

namespace zunaka::score {
namespace {

midi::Song loadPiece()
{
    std::ifstream in(ZUNAKA_MUSIC_SCORE);
    std::ostringstream text;
    text << in.rdbuf();
    return parseScore(text.str());
}

TEST(Blugrass, LengthFitsTheRestartTime)
{
    const double seconds = midi::durationSeconds(loadPiece());
    EXPECT_GE(seconds, 60.0);
    EXPECT_LE(seconds, 64.0) << "leave room for the last chord to ring before the game restarts it at 67 s";
}

TEST(Blugrass, BandAndRanges)
{
    const midi::Song song = loadPiece();
    const struct {
        const char* name;
        int program;
        int lowest, highest;
    } cases[] = {
        {"fiddle", 110, 55, 88},  // G3 .. E6
        {"banjo", 105, 50, 86},   // D3 .. D6
        {"guitar", 25, 40, 76},   // E2 .. E5
        {"bass", 32, 28, 55},     // E1 .. G3
    };
    ASSERT_EQ(song.tracks.size(), std::size(cases));
    std::set<int> channels, pans;
    for (std::size_t i = 0; i < song.tracks.size(); ++i) {
        const midi::Track& track = song.tracks[i];
        const auto& c = cases[i];
        EXPECT_EQ(track.name, c.name);
        EXPECT_EQ(track.program, c.program) << c.name;
        EXPECT_GE(track.volume, 90) << c.name;
        EXPECT_LE(track.volume, 100) << c.name;
        EXPECT_NE(track.channel, 9) << c.name << " must not land on the percussion channel";
        channels.insert(track.channel);
        pans.insert(track.pan);
        ASSERT_FALSE(track.notes.empty()) << c.name;
        for (const midi::Note& note : track.notes) {
            EXPECT_GE(note.key, c.lowest) << c.name << " at tick " << note.tick;
            EXPECT_LE(note.key, c.highest) << c.name << " at tick " << note.tick;
            EXPECT_LE(note.velocity, 100) << c.name << " at tick " << note.tick << " is too loud for a background";
        }
    }
    EXPECT_EQ(channels.size(), song.tracks.size()) << "one channel per instrument";
    EXPECT_GE(pans.size(), 3u) << "the instruments are spread across the stereo field";
}

TEST(Blugrass, EndsOnOneHeldChordOfG)
{
    const midi::Song song = loadPiece();
    const std::uint32_t end = midi::endTick(song);
    std::uint32_t lastStart = 0;
    for (const midi::Track& track : song.tracks)
        for (const midi::Note& note : track.notes)
            lastStart = std::max(lastStart, note.tick);
    std::set<int> pitchClasses;
    for (const midi::Track& track : song.tracks) {
        bool plays = false;
        for (const midi::Note& note : track.notes)
            if (note.tick == lastStart) {
                plays = true;
                pitchClasses.insert(note.key % 12);
                EXPECT_GE(note.length * 2, 4u * song.ticksPerQuarter) << track.name << " holds the last chord";
            }
        EXPECT_TRUE(plays) << track.name << " joins the last chord";
    }
    EXPECT_EQ(pitchClasses, (std::set<int>{7, 11, 2})) << "a plain G major chord";
    EXPECT_GE(end - lastStart, 2u * song.ticksPerQuarter);
}

} // namespace
} // namespace zunaka::score
