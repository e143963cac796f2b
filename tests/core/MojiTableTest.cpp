#include "Harness.h"
#include "holes/HoleMotion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

namespace zunaka {
namespace {

const float kJustBelowOne = std::nextafter(1.0f, 0.0f);

TEST(MojiTable, EachLessonDrawsAllItsOwnKeysAndNoOthers)
{
    const std::string table = "ASDFGHJKL;:]QWERTYUIOP@[ZXCVBNM,./1234567890";
    const std::pair<int, int> lessons[] = {{0, 12}, {12, 12}, {24, 10}, {34, 10}, {0, 34}, {0, 44}};
    for (int lesson = 1; lesson <= 6; ++lesson) {
        test::Harness h;
        h.setUp();
        h.s.gLesson = lesson;
        h.p.queuedRandom = {0.0f, kJustBelowOne};  // then the generator's own values
        std::string drawn;
        for (int i = 0; i < 2000; ++i) {
            selectMoji(h.s, h.p, 1);
            drawn += h.s.gHoleMoji[1];
        }
        const std::string own = table.substr(lessons[lesson - 1].first, lessons[lesson - 1].second);
        EXPECT_EQ(drawn.substr(0, 2), own.substr(0, 1) + own.back()) << "lesson " << lesson << ": r = 0, r < 1";
        EXPECT_EQ(std::set(drawn.begin(), drawn.end()), std::set(own.begin(), own.end())) << "lesson " << lesson;
    }
}

// The step that starts a rise draws four values: the character, then red, green and blue, each 1..200.
TEST(MojiTable, ARiseDrawsTheCharacterThenRedGreenAndBlue)
{
    test::Harness h;
    h.setUp();
    h.s.gLesson = 6;
    h.s.gHoleTick[4] = -1;  // the hide wait (0 ms) of hole 4 has run out
    h.p.queuedRandom = {kJustBelowOne, 0.5f, 0.0f, kJustBelowOne};
    moveHole(h.s, h.p, 4);
    EXPECT_EQ(h.s.gHoleMoji[4], "0");
    EXPECT_EQ((std::array{h.s.gMojiRed[4], h.s.gMojiGreen[4], h.s.gMojiBlue[4]}), (std::array{101, 1, 200}));
    EXPECT_TRUE(h.p.queuedRandom.empty()) << "not all four values drawn";
}

} // namespace
} // namespace zunaka
