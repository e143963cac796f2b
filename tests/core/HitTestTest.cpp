#include "Harness.h"
#include "holes/HitTest.h"

#include <gtest/gtest.h>

#include <tuple>

namespace zunaka {
namespace {

// During a game, the mole of `hole` carries `moji`, `visible` pixels out (0: fully up), rising (1), up (0)
// or sinking (-1). Every judgement sounds: effects never overlap.
void place(test::Harness& h, int hole, const std::string& moji, int visible, int moving)
{
    h.s.gPlaying = true;
    h.p.effectLengthMs = 0;
    h.s.gHoleMoji[hole] = moji;
    h.s.gHoleRect[hole].top = visible == 0 ? h.s.gHoleTop[hole] : h.s.gHoleBottom[hole] - visible;
    h.s.gHoleUp[hole] = moving > 0;
    h.s.gHoleDown[hole] = moving < 0;
}

// Judges `typed` in the key box; returns the hole caught, 0 for none.
int judge(test::Harness& h, const std::string& typed)
{
    const auto before = h.s.gHoleCaught;
    h.p.fakeForms.keyBoxTextValue = typed;
    checkHit(h.s, h.p);
    for (int hole = 1; hole <= kHoleCount; ++hole) {
        if (h.s.gHoleCaught[hole] != before[hole])
            return hole;
    }
    return 0;
}

TEST(HitTest, EveryHoleCatchesFromSixtyPixelsRisingUntilSixtySinking)
{
    const std::tuple<int, int, bool> rows[] = {{20, 1, false}, {40, 1, false}, {60, 1, true},  {0, 0, true},
                                               {60, -1, true}, {40, -1, false}, {20, -1, false}};
    for (int hole = 1; hole <= kHoleCount; ++hole) {
        for (const auto& [visible, moving, caught] : rows) {
            test::Harness h;
            h.setUp();
            place(h, hole, "A", visible, moving);
            judge(h, "a");
            const auto after = std::tuple(h.s.gHoleCaught[hole], h.s.gHoleUp[hole], h.s.gHoleDown[hole],
                                          h.s.gHoleMoji[hole], h.s.gHitCount, h.p.soundsPlayed.at(0));
            EXPECT_EQ(after, caught ? std::tuple(true, false, true, "", 1, h.kHitPath)
                                    : std::tuple(false, moving > 0, moving < 0, "A", 0, h.kMissPath))
                << "hole " << hole << ", " << visible << " pixels out, moving " << moving;
        }
    }
}

// Every mole fully up, carrying the characters of `moji` from hole 1 (a blank: an empty character, as
// after a catch); each typed text in turn catches the hole given, 0 for none.
TEST(HitTest, WhichMoleEachTypedTextCatches)
{
    const std::tuple<std::string, std::vector<std::string>, std::vector<int>> rows[] = {
        {"ASDFGH", {"a", "H", "A", "s"}, {1, 6, 0, 2}},
        {" K  K ", {"k", "k", "k"}, {2, 5, 0}},
        {";:][@/", {"+", "*", "}", "{", "`", "?", ":", ";", "[", "]", "@", "/"}, {0, 0, 0, 0, 0, 0, 2, 1, 4, 3, 5, 6}},
        {"A1Z   ", {"Ａ", "ａ", "１", "!", "z"}, {0, 0, 0, 0, 3}},
        {"J     ", {"j", "", ""}, {1, 0, 0}},  // an empty box catches nothing, not even a caught mole
    };
    for (const auto& [moji, typed, expected] : rows) {
        test::Harness h;
        h.setUp();
        for (int hole = 1; hole <= kHoleCount; ++hole)
            place(h, hole, moji[hole - 1] == ' ' ? "" : moji.substr(hole - 1, 1), 0, 0);
        std::vector<int> caught;
        for (const std::string& text : typed)
            caught.push_back(judge(h, text));
        EXPECT_EQ(caught, expected) << "moles \"" << moji << "\"";
        EXPECT_EQ(h.s.gHitCount, std::count_if(caught.begin(), caught.end(), [](int c) { return c != 0; })) << moji;
    }
}

} // namespace
} // namespace zunaka
