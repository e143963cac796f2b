#include "Harness.h"
#include "holes/HoleMotion.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <string>

namespace zunaka {
namespace {

using test::Harness;

const float kJustBelowOne = std::nextafter(1.0f, 0.0f);

TEST(MojiTable, EveryLessonDrawsOnlyItsOwnKeysAndReachesBothEnds)
{
    struct Row {
        int lesson;
        std::string keys;  // in table order: the first comes for r = 0, the last for r just below 1
    };
    const Row rows[] = {
        {1, "ASDFGHJKL;:]"},
        {2, "QWERTYUIOP@["},
        {3, "ZXCVBNM,./"},
        {4, "1234567890"},
        {5, "ASDFGHJKL;:]QWERTYUIOP@[ZXCVBNM,./"},
        {6, "ASDFGHJKL;:]QWERTYUIOP@[ZXCVBNM,./1234567890"},
    };
    for (const Row& row : rows) {
        Harness h;
        h.setUp();
        h.s.gLesson = row.lesson;
        const auto draw = [&h](std::deque<float> queued) {
            h.p.queuedRandom = std::move(queued);
            selectMoji(h.s, h.p, 1);
            return h.s.gHoleMoji[1];
        };
        EXPECT_EQ(draw({0.0f}), row.keys.substr(0, 1)) << "lesson " << row.lesson << ", r = 0";
        EXPECT_EQ(draw({kJustBelowOne}), row.keys.substr(row.keys.size() - 1)) << "lesson " << row.lesson
                                                                                << ", r just below 1";
        std::set<char> seen;
        for (int i = 0; i < 2000; ++i) {
            const std::string moji = draw({});
            ASSERT_EQ(moji.size(), 1u) << "lesson " << row.lesson;
            ASSERT_NE(row.keys.find(moji[0]), std::string::npos) << "lesson " << row.lesson << " drew " << moji;
            seen.insert(moji[0]);
        }
        EXPECT_EQ(seen.size(), row.keys.size()) << "lesson " << row.lesson << ": some keys never came";
    }
}

TEST(MojiTable, ColoursStayWithinOneToTwoHundred)
{
    Harness h;
    h.setUp();
    std::set<int> seen;
    for (int i = 0; i < 3000; ++i) {
        selectMojiColor(h.s, h.p, 6);
        for (int component : {h.s.gMojiRed[6], h.s.gMojiGreen[6], h.s.gMojiBlue[6]}) {
            ASSERT_GE(component, 1);
            ASSERT_LE(component, 200);
            seen.insert(component);
        }
    }
    EXPECT_EQ(seen.size(), 200u) << "every level from 1 to 200 comes";
}

// The step that starts a rise draws four values, in the order character, red, green, blue.
TEST(MojiTable, ARiseDrawsTheCharacterThenRedGreenAndBlue)
{
    struct Row {
        int lesson;
        std::deque<float> queued;
        std::string moji;
        int red, green, blue;
    };
    const Row rows[] = {
        {1, {0.5f, 0.0f, kJustBelowOne, 0.25f}, "J", 1, 200, 51},
        {6, {kJustBelowOne, 0.5f, 0.0f, kJustBelowOne}, "0", 101, 1, 200},
        {3, {0.85f, 0.995f, 0.0075f, 0.5f}, ".", 200, 2, 101},
    };
    for (const Row& row : rows) {
        Harness h;
        h.setUp();
        h.s.gPlaying = true;
        h.s.gLesson = row.lesson;
        h.s.gHoleWait[4] = 1000;
        h.s.gHoleTick[4] = -1001;  // the hide wait of hole 4 has just run out
        h.p.queuedRandom = row.queued;
        moveHole(h.s, h.p, 4);

        ASSERT_TRUE(h.s.gHoleUp[4]) << "lesson " << row.lesson;
        EXPECT_EQ(h.s.gHoleMoji[4], row.moji) << "lesson " << row.lesson;
        EXPECT_EQ(h.s.gMojiRed[4], row.red) << "lesson " << row.lesson;
        EXPECT_EQ(h.s.gMojiGreen[4], row.green) << "lesson " << row.lesson;
        EXPECT_EQ(h.s.gMojiBlue[4], row.blue) << "lesson " << row.lesson;
        EXPECT_TRUE(h.p.queuedRandom.empty()) << "lesson " << row.lesson << ": not all four values drawn";
    }
}

} // namespace
} // namespace zunaka
