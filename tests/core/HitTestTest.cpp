#include "Harness.h"
#include "holes/HitTest.h"
#include "shell/Game.h"
#include "shell/KeyInput.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

namespace zunaka {
namespace {

using test::Harness;
using Sounds = std::vector<std::string>;

enum class Phase { Rising, Up, Sinking };

// A game in progress, every mole hidden, and sound effects that never overlap (so none is dropped).
Harness playing()
{
    Harness h;
    h.setUp();
    startClick(h.s, h.p);
    h.p.effectLengthMs = 0;
    return h;
}

void placeMole(Harness& h, int hole, const std::string& moji, int visible, Phase phase)
{
    h.s.gHoleMoji[hole] = moji;
    h.s.gHoleRect[hole].top = h.s.gHoleBottom[hole] - visible;
    h.s.gHoleUp[hole] = phase == Phase::Rising;
    h.s.gHoleDown[hole] = phase == Phase::Sinking;
}

// Types into the key box as the line edit does: "+x" presses a key that inserts x ("+" alone is
// Backspace), "-" releases a key.
void type(Harness& h, const std::vector<std::string>& strokes)
{
    for (const std::string& stroke : strokes) {
        if (stroke[0] == '+') {
            text1KeyPress(h.s, h.p);
            h.p.fakeForms.keyBoxTextValue += stroke.substr(1);
        } else {
            text1KeyUp(h.s, h.p);
        }
    }
}

Sounds names(const Sounds& paths)
{
    Sounds out;
    for (const std::string& path : paths)
        out.push_back(path == Harness::kHitPath ? "hit" : path == Harness::kMissPath ? "miss" : path);
    return out;
}

TEST(HitTest, EveryHoleCatchesFromSixtyVisiblePixelsUpAndDownToSixty)
{
    struct Row {
        const char* what;
        Phase phase;
        int visible;  // 0: fully up
        bool caught;
    };
    const Row rows[] = {
        {"rising at 20", Phase::Rising, 20, false}, {"rising at 40", Phase::Rising, 40, false},
        {"rising at 60", Phase::Rising, 60, true},  {"up", Phase::Up, 0, true},
        {"sinking at 60", Phase::Sinking, 60, true}, {"sinking at 40", Phase::Sinking, 40, false},
        {"sinking at 20", Phase::Sinking, 20, false},
    };
    for (int hole = 1; hole <= kHoleCount; ++hole) {
        for (const Row& row : rows) {
            Harness h = playing();
            const int travel = h.s.gHoleBottom[hole] - h.s.gHoleTop[hole];
            placeMole(h, hole, "A", row.visible == 0 ? travel : row.visible, row.phase);
            h.p.fakeForms.keyBoxTextValue = "a";
            checkHit(h.s, h.p);

            const std::string what = "hole " + std::to_string(hole) + ", " + row.what;
            EXPECT_EQ(names(h.p.soundsPlayed), Sounds{row.caught ? "hit" : "miss"}) << what;
            EXPECT_EQ(h.s.gHitCount, row.caught ? 1 : 0) << what;
            EXPECT_EQ(h.s.gHoleCaught[hole], row.caught) << what;
            EXPECT_EQ(h.s.gHoleDown[hole], row.caught || row.phase == Phase::Sinking) << what;
            EXPECT_EQ(h.s.gHoleUp[hole], !row.caught && row.phase == Phase::Rising) << what;
            EXPECT_EQ(h.s.gHoleMoji[hole], row.caught ? "" : "A") << what;
        }
    }
}

// Every mole fully up with the character shown; each typed character is pressed and released in turn.
TEST(HitTest, WhichMoleATypedCharacterCatches)
{
    struct Row {
        const char* what;
        std::array<const char*, kHoleCount> moji;
        std::vector<std::string> typed;
        std::vector<int> caught;  // per release: the hole caught, 0 for a miss
    };
    const Row rows[] = {
        {"upper-case table, lower- or upper-case typing, each mole once",
         {"A", "S", "D", "F", "G", "H"}, {"a", "H", "A", "s"}, {1, 6, 0, 2}},
        {"two moles with the same character: the lower hole first, then the other",
         {"", "K", "", "", "K", ""}, {"k", "k", "k"}, {2, 5, 0}},
        {"colon, semicolon, brackets, at sign and slash match only themselves",
         {";", ":", "]", "[", "@", "/"},
         {"+", "*", "}", "{", "`", "?", ":", ";", "[", "]", "@", "/"},
         {0, 0, 0, 0, 0, 0, 2, 1, 4, 3, 5, 6}},
        {"no folding but the case of A to Z", {"A", "1", "Z", "", "", ""}, {"Ａ", "ａ", "１", "!", "z"},
         {0, 0, 0, 0, 3}},
        {"an empty box catches nothing, not even the emptied character of a caught mole",
         {"J", "", "", "", "", ""}, {"j", "", ""}, {1, 0, 0}},
    };
    for (const Row& row : rows) {
        Harness h = playing();
        for (int hole = 1; hole <= kHoleCount; ++hole)
            placeMole(h, hole, row.moji[static_cast<std::size_t>(hole - 1)], h.s.gHoleBottom[hole] - h.s.gHoleTop[hole],
                      Phase::Up);
        for (std::size_t i = 0; i < row.typed.size(); ++i) {
            const std::vector<bool> before(h.s.gHoleCaught.begin(), h.s.gHoleCaught.end());
            type(h, {"+" + row.typed[i], "-"});
            int caught = 0;
            for (int hole = 1; hole <= kHoleCount; ++hole)
                caught = h.s.gHoleCaught[hole] && !before[static_cast<std::size_t>(hole - 1)] ? hole : caught;
            EXPECT_EQ(caught, row.caught[i]) << row.what << ", typed \"" << row.typed[i] << "\"";
            EXPECT_EQ(names(h.p.soundsPlayed).back(), row.caught[i] != 0 ? "hit" : "miss")
                << row.what << ", typed \"" << row.typed[i] << "\"";
        }
        int catches = 0;
        for (int hole : row.caught)
            catches += hole != 0 ? 1 : 0;
        EXPECT_EQ(h.s.gHitCount, catches) << row.what;
    }
}

// What the key box's two handlers make of a sequence of presses and releases.
TEST(HitTest, KeyStrokesAreJudgedOnReleaseAgainstTheBox)
{
    struct Row {
        const char* what;
        bool game;
        std::vector<std::string> strokes;
        std::string box;  // left in the key box
        Sounds sounds;
        int hits;
    };
    const Row rows[] = {
        {"no game: the box still takes the key, nothing is judged", false, {"+a", "-"}, "a", {}, 0},
        {"the release of Ctrl+G's G right after the start, without its press", true, {"-"}, "", {"miss"}, 0},
        {"a key that types nothing (Shift) judges the last character again", true, {"+a", "-", "-"}, "a",
         {"hit", "miss"}, 1},
        {"overlapping strokes judge what the box holds at each release", true, {"+a", "+s", "-", "-"}, "s",
         {"hit", "miss"}, 1},
        {"Backspace after a catch empties the box, and its release catches nothing", true,
         {"+a", "-", "+", "-"}, "", {"hit", "miss"}, 1},
    };
    for (const Row& row : rows) {
        Harness h = playing();
        h.s.gPlaying = row.game;
        placeMole(h, 2, "A", 60, Phase::Rising);
        placeMole(h, 4, "S", 60, Phase::Rising);
        type(h, row.strokes);
        EXPECT_EQ(h.p.fakeForms.keyBoxTextValue, row.box) << row.what;
        EXPECT_EQ(names(h.p.soundsPlayed), row.sounds) << row.what;
        EXPECT_EQ(h.s.gHitCount, row.hits) << row.what;
        EXPECT_EQ(h.s.gHoleCaught[2] || h.s.gHoleCaught[4], row.hits > 0) << row.what;
    }
}

} // namespace
} // namespace zunaka
