// The score language: notes, patterns over each kind of chord, track settings, and faults that name their line.
#include "score_parser.hpp"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>

namespace zunaka::score {
namespace {

// "tick+length:key@velocity" for each note of a track, in the order the parser produced them.
std::string describe(const midi::Track& track)
{
    std::ostringstream out;
    for (const midi::Note& note : track.notes)
        out << note.tick << '+' << note.length << ':' << int(note.key) << '@' << int(note.velocity) << ' ';
    return out.str();
}

// The first track's notes, or the parser's complaint, so a failing case shows what went wrong.
std::string firstTrackOf(const std::string& text)
{
    try {
        return describe(parseScore(text).tracks.at(0));
    } catch (const ScoreError& error) {
        return error.what();
    }
}

TEST(ScoreParser, NotesAndPatternsComeOutAtTheirTicks)
{
    const std::string bar = "time 4/4\n", half = "time 2/4\npattern p from=G3 : ";
    const struct {
        const char* name;
        std::string head, body, expected;
    } cases[] = {
        {"length carries over, rests take time", bar, "C4/8 D4 r/4 E4/2 |", "0+240:60@80 240+240:62@80 960+960:64@80 "},
        {"dotted and tied", bar, "C4/4. D4/8 E4/4+8 r/8 |", "0+720:60@80 720+240:62@80 960+720:64@80 "},
        {"chord", bar, "[G3 B3  D4]/1 |", "0+1920:55@80 0+1920:59@80 0+1920:62@80 "},
        {"accent and loudness", bar, ">C4/2 v60 D4 |", "0+960:60@94 960+960:62@60 "},
        {"repeat plays the part twice", bar, "|: C4/2 D4 :| E4/1 |",
         "0+960:60@80 960+960:62@80 1920+960:60@80 2880+960:62@80 3840+1920:64@80 "},
        {"repeat without a start mark goes back to the top", bar, "C4/1 | D4/1 :|",
         "0+1920:60@80 1920+1920:62@80 3840+1920:60@80 5760+1920:62@80 "},
        {"bar lines may span lines, comments are ignored", bar, "C4/2\nD4/2 | % E4/1 |", "0+960:60@80 960+960:62@80 "},
        {"chord tones from the low note", half + "0/4 1 2 3", "G:p |", "0+480:55@80 480+480:59@80 960+480:62@80 1440+480:67@80 "},
        {"fifth below and a strum", "time 2/4\npattern p from=G2 : 0/2 [-1 1]", "D:p |", "0+960:50@80 960+960:45@80 960+960:54@80 "},
        {"fixed note and accent", half + ">0/2 G4", "C:p |", "0+960:60@94 960+960:67@80 "},
        {"seventh chord", half + "0/8 1 2 3", "D7:p |", "0+240:62@80 240+240:66@80 480+240:69@80 720+240:72@80 "},
        {"minor chord, a tone below", "time 2/4\npattern p from=G2 : 0/8 1 2 -1", "Em:p |",
         "0+240:52@80 240+240:55@80 480+240:59@80 720+240:47@80 "},
        {"sharp root, sus4, dim", half + "[0 1 2]/4", "F#m:p Csus4:p | Bdim:p Bdim:p |",
         "0+480:66@80 0+480:69@80 0+480:73@80 480+480:60@80 480+480:65@80 480+480:67@80 "
         "960+480:59@80 960+480:62@80 960+480:65@80 1440+480:59@80 1440+480:62@80 1440+480:65@80 "},
        {"a pattern keeps the track's own running length", half + "0/8 1", "C4/2 G:p G:p C4 |",
         "0+960:60@80 960+240:55@80 1200+240:59@80 1440+240:55@80 1680+240:59@80 1920+960:60@80 "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(firstTrackOf(c.head + "\ntrack t\n" + c.body + "\n"), c.expected) << c.name << "\n" << c.body;
}

TEST(ScoreParser, TrackSettingsTempoAndGate)
{
    const midi::Song song = parseScore(
        "time 2/2\ntempo 132\ntempo 100 bar=3\n"
        "track fiddle channel=4 program=110 volume=95 pan=90 velocity=70 gate=50\nC4/1 | D4/1 | E4/1 |\n"
        "track bass program=32\nC2/1 | D2/1 | E2/1 |\n");
    ASSERT_EQ(song.tracks.size(), 2u);
    const midi::Track& f = song.tracks[0];
    EXPECT_EQ(std::tuple(f.name, int(f.channel), int(f.program), int(f.volume), int(f.pan)),
              std::tuple("fiddle", 4, 110, 95, 90));
    EXPECT_EQ(describe(f), "0+960:60@70 1920+960:62@70 3840+960:64@70 ");
    EXPECT_EQ(int(song.tracks[1].channel), 1) << "tracks without a channel take their place in the score";
    EXPECT_EQ(std::pair(int(song.beatsPerBar), int(song.beatUnit)), std::pair(2, 2));
    EXPECT_NEAR(midi::durationSeconds(song), 2 * 4 * 60.0 / 132 + 4 * 60.0 / 100, 1e-4)
        << "two bars at 132, then one at 100";
}

TEST(ScoreParser, FaultsNameTheirLine)
{
    const struct {
        std::string text;
        int line;
        const char* message;
    } cases[] = {
        {"time 4/4\ntrack t\nC4/4 D4 E4 |\n", 3, "middle of bar 1"},
        {"time 4/4\ntrack t\nC4/1 |\nQ4/1 |\n", 4, "cannot read 'Q4'"},
        {"time 4/4\ntrack t\nC4/3 |\n", 3, "bad duration"},
        {"time 4/4\npattern p from=G3 : 0/1\ntrack t\nX:p |\n", 4, "unknown chord or pattern"},
        {"time 4/4\ntrack t volume=200\n", 2, "volume out of range"},
        {"time 4/4\ntrack t\n|: C4/1 |\n", 3, "never closed"},
        // Faults of the whole score name no line.
        {"time 4/4\ntrack a\nC4/1 | C4/1 |\ntrack b\nC3/1 |\n", 0, "track b lasts 1 bars, track a 2"},
        {"time 4/4\ntrack a\nC4/2\n", 0, "track a stops in the middle of a bar"},
        {"time 4/4\n", 0, "no track"},
    };
    for (const auto& c : cases) {
        try {
            parseScore(c.text);
            ADD_FAILURE() << "no error for:\n" << c.text;
        } catch (const ScoreError& error) {
            EXPECT_EQ(error.line(), c.line) << error.what() << "\nfor:\n" << c.text;
            EXPECT_NE(std::string(error.what()).find(c.message), std::string::npos)
                << "expected '" << c.message << "' in '" << error.what() << "'";
        }
    }
}

} // namespace
} // namespace zunaka::score
