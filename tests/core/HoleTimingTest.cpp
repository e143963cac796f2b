#include "Harness.h"

#include <gtest/gtest.h>

#include <set>

namespace zunaka {
namespace {

using test::Harness;

constexpr float kJustBelowOne = 0.99999994f;  // the largest float below 1

TEST(HoleTiming, HideWaitIsOneToSevenWholeSecondsAtEverySpeed)
{
    const std::pair<float, int> rows[] = {{0.0f, 1000}, {0.14f, 1000}, {0.15f, 2000}, {0.5f, 4000},
                                          {0.86f, 7000}, {kJustBelowOne, 7000}};
    for (int speed = 1; speed <= 3; ++speed) {
        for (const auto& [r, wait] : rows) {
            Harness h;
            h.setUp();
            h.s.gSpeed = speed;
            h.p.queuedRandom = {r};
            setHideWait(h.s, h.p, 4);
            EXPECT_EQ(h.s.gHoleWait[4], wait) << "r " << r << " speed " << speed;
        }
    }
}

TEST(HoleTiming, HideWaitsFromTheGeneratorCoverOnlyOneToSevenSeconds)
{
    Harness h;
    h.setUp();
    std::set<int> seen;
    for (int i = 0; i < 20000; ++i) {
        setHideWait(h.s, h.p, 1);
        seen.insert(h.s.gHoleWait[1]);
    }
    EXPECT_EQ(seen, (std::set<int>{1000, 2000, 3000, 4000, 5000, 6000, 7000}));
}

TEST(HoleTiming, ShowWaitDependsOnTheSpeed)
{
    struct Row {
        int speed;
        float r;
        int wait;
        bool drawsRandom;
    };
    const Row rows[] = {
        {1, 0.7f, 1, false},         {2, 0.0f, 2000, true},   {2, 0.49f, 2000, true},
        {2, 0.5f, 3000, true},       {2, kJustBelowOne, 3000, true}, {3, 0.0f, 4000, true},
        {3, 0.33f, 4000, true},      {3, 0.34f, 5000, true},  {3, 0.67f, 6000, true},
        {3, kJustBelowOne, 6000, true},
    };
    for (const Row& row : rows) {
        Harness h;
        h.setUp();
        h.s.gSpeed = row.speed;
        h.p.queuedRandom = {row.r};
        setShowWait(h.s, h.p, 2);
        EXPECT_EQ(h.s.gHoleWait[2], row.wait) << "speed " << row.speed << " r " << row.r;
        EXPECT_EQ(h.p.queuedRandom.empty(), row.drawsRandom) << "speed " << row.speed;
    }
}

TEST(HoleModel, HiddenRectanglesAndWholeStepsOfTravel)
{
    Harness h;
    h.setUp();
    const HoleRect expected[] = {{63, 252, 188, 397}, {270, 228, 395, 373}, {464, 252, 589, 397},
                                 {63, 406, 188, 551}, {270, 429, 395, 574}, {464, 406, 589, 551}};
    const int travel[] = {140, 120, 120, 120, 140, 120};
    for (int i = 1; i <= kHoleCount; ++i) {
        EXPECT_EQ(h.s.gHoleRect[i], expected[i - 1]) << "hole " << i;
        EXPECT_EQ(h.s.gHoleBottom[i] - h.s.gHoleTop[i], travel[i - 1]) << "hole " << i;
        EXPECT_EQ((h.s.gHoleBottom[i] - h.s.gHoleTop[i]) % h.s.gStep, 0) << "hole " << i;
    }
}

TEST(HoleModel, ResetGivesEveryHoleAFreshWaitFromNow)
{
    Harness h;
    h.setUp();
    h.p.now = 5000;
    h.s.gHoleUp[2] = true;
    h.s.gHoleDown[5] = true;
    resetHoles(h.s, h.p);
    for (int i = 1; i <= kHoleCount; ++i) {
        EXPECT_EQ(h.s.gHoleTick[i], 5000) << "hole " << i;
        EXPECT_GE(h.s.gHoleWait[i], 1000) << "hole " << i;
        EXPECT_LE(h.s.gHoleWait[i], 7000) << "hole " << i;
        EXPECT_FALSE(h.s.gHoleUp[i] || h.s.gHoleDown[i]) << "hole " << i;
    }
}

} // namespace
} // namespace zunaka
