#include "pitch.hpp"

#include <gtest/gtest.h>

namespace zunaka::score {
namespace {

TEST(Pitch, NoteNames)
{
    const struct {
        const char* text;
        std::optional<int> key;
    } cases[] = {
        {"C4", 60}, {"A4", 69}, {"B3", 59}, {"F#3", 54}, {"Bb2", 46}, {"G2", 43}, {"E1", 28},
        {"C-1", 0}, {"G9", 127}, {"G#9", std::nullopt}, {"Cb4", 59}, {"B#3", 60}, {"E#4", 65},
        {"H4", std::nullopt}, {"c4", std::nullopt}, {"C", std::nullopt}, {"C4x", std::nullopt},
        {"", std::nullopt}, {"#4", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseNoteName(c.text), c.key) << "note '" << c.text << "'";
}

TEST(Pitch, Durations)
{
    const struct {
        const char* text;
        std::optional<std::uint32_t> ticks;
    } cases[] = {
        {"1", 1920}, {"2", 960}, {"4", 480}, {"8", 240}, {"16", 120}, {"32", 60},
        {"4.", 720}, {"8.", 360}, {"2.", 1440}, {"1+2", 2880}, {"2+8", 1200}, {"4.+16", 840},
        {"3", std::nullopt}, {"64", std::nullopt}, {"", std::nullopt}, {"4+", std::nullopt},
        {"+4", std::nullopt}, {"4..", std::nullopt}, {"x", std::nullopt},
    };
    for (const auto& c : cases)
        EXPECT_EQ(parseDuration(c.text, 480), c.ticks) << "duration '" << c.text << "'";
    EXPECT_EQ(parseDuration("32.", 24), std::nullopt) << "a dotted 32nd is not a whole tick at 24 a quarter";
}

TEST(Pitch, ChordTonesFromTheLowNote)
{
    const int g2 = 43, g3 = 55, e2 = 40;
    const struct {
        const char* chord;
        int low;
        std::vector<int> indices;
        std::vector<int> keys;
    } cases[] = {
        {"G", g3, {0, 1, 2, 3, 4, 5}, {55, 59, 62, 67, 71, 74}},
        {"G", g3, {-1, -2, -3}, {50, 47, 43}},
        {"C", g3, {0, 1, 2}, {60, 64, 67}},        // C sits above the low G3, not below it
        {"D7", g3, {0, 1, 2, 3, 4}, {62, 66, 69, 72, 74}},
        {"Em", g2, {0, 1, 2, -1}, {52, 55, 59, 47}},
        {"Am", e2, {0, 1, 2}, {45, 48, 52}},
        {"F#m", g3, {0, 1, 2}, {66, 69, 73}},
        {"Bb", g3, {0, 1, 2}, {58, 62, 65}},
        {"Csus4", g3, {0, 1, 2}, {60, 65, 67}},
        {"Bdim", g3, {0, 1, 2}, {59, 62, 65}},
    };
    for (const auto& c : cases) {
        const auto chord = parseChord(c.chord);
        ASSERT_TRUE(chord) << c.chord;
        for (std::size_t i = 0; i < c.indices.size(); ++i)
            EXPECT_EQ(chordTone(*chord, c.low, c.indices[i]), c.keys[i])
                << c.chord << " from key " << c.low << ", tone " << c.indices[i];
    }
    EXPECT_EQ(chordTone(*parseChord("C"), 120, 3), std::nullopt) << "above key 127";
    EXPECT_EQ(chordTone(*parseChord("C"), 0, -1), std::nullopt) << "below key 0";
    for (const char* bad : {"", "H", "Gx", "g", "Cmaj", "Em7b5"})
        EXPECT_EQ(parseChord(bad), std::nullopt) << "chord '" << bad << "'";
}

} // namespace
} // namespace zunaka::score
