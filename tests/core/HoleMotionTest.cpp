#include "Harness.h"
#include "holes/HoleMotion.h"

#include <gtest/gtest.h>

#include <optional>
#include <vector>

namespace zunaka {
namespace {

using test::Harness;

constexpr int kFrame = 31;  // the first tick on which a frame may run

// A hole whose hide wait has just run out, everything else quiet.
Harness readyHole(int hole, int speed = 3)
{
    Harness h;
    h.setUp();
    h.s.gSpeed = speed;
    h.s.gPlaying = true;
    for (int i = 1; i <= kHoleCount; ++i) {
        h.s.gHoleWait[i] = 1000;
        h.s.gHoleTick[i] = i == hole ? -1001 : 0;
    }
    return h;
}

struct Step {
    int top;
    std::optional<int> drawn;
};

std::vector<Step> walk(Harness& h, int hole, int steps)
{
    std::vector<Step> out;
    for (int i = 0; i < steps; ++i) {
        const auto drawn = moveHole(h.s, h.p, hole);
        out.push_back({h.top(hole), drawn});
        h.p.advance(kFrame);
    }
    return out;
}

void expectWalk(const std::vector<Step>& actual, const std::vector<Step>& expected, const char* what)
{
    ASSERT_EQ(actual.size(), expected.size()) << what;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        EXPECT_EQ(actual[i].top, expected[i].top) << what << ", step " << i;
        EXPECT_EQ(actual[i].drawn, expected[i].drawn) << what << ", step " << i;
    }
}

TEST(HoleMotion, OneAppearanceOfTheMoleOfHoleOne)
{
    Harness h = readyHole(1);
    h.p.queuedRandom = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f};  // character, red, green, blue; show wait 4000 ms
    const auto rise = walk(h, 1, 8);
    expectWalk(rise, {{232, 20}, {212, 40}, {192, 60}, {172, 80}, {152, 100}, {132, 120}, {112, 140},
                      {112, std::nullopt}},
               "rise");
    EXPECT_EQ(h.s.gPopCount, 1);
    EXPECT_EQ(h.s.gHoleWait[1], 4000);

    // Up: nothing drawn until more than 4000 ms after the step that ended the rise.
    const Tick endOfRise = h.s.gHoleTick[1];
    while (elapsed(h.p.now, endOfRise) <= 4000)
        ASSERT_EQ(walk(h, 1, 1)[0].drawn, std::nullopt);

    const auto sink = walk(h, 1, 8);
    expectWalk(sink, {{132, 120}, {152, 100}, {172, 80}, {192, 60}, {212, 40}, {232, 20}, {252, 0},
                      {252, std::nullopt}},
               "sink");
    EXPECT_FALSE(h.s.gHoleDown[1]);
    EXPECT_GE(h.s.gHoleWait[1], 1000);
    EXPECT_EQ(h.s.gPopCount, 1);
}

TEST(HoleMotion, AHoleOfOneHundredTwentyPixelsTakesSixStepsEachWay)
{
    Harness h = readyHole(2, 1);
    expectWalk(walk(h, 2, 10),
               {{208, 20}, {188, 40}, {168, 60}, {148, 80}, {128, 100}, {108, 120},
                {108, std::nullopt},  // rise ends; 1 ms show wait at speed 1
                {128, 100}, {148, 80}, {168, 60}},
               "hole 2 at speed 1");
}

TEST(HoleMotion, AtSpeedOneTheMoleIsAtTheTopForExactlyTwoSteps)
{
    Harness h = readyHole(5, 1);
    const auto steps = walk(h, 5, 10);
    int atTop = 0;
    for (const Step& step : steps)
        atTop += step.top == 289 ? 1 : 0;
    EXPECT_EQ(atTop, 2);
    EXPECT_EQ(steps[8].top, 309) << "the step after the rise ended begins the sink";
}

TEST(HoleMotion, ACaughtMoleTurnsBackAtTheNextStepFromWhereverItIs)
{
    struct Row {
        const char* phase;
        int stepsBeforeCatch;  // hole 1 at speed 3, show wait 4000
        int topAtCatch;
    };
    const Row rows[] = {{"rising", 3, 192}, {"up", 9, 112}, {"sinking", 0, 152}};
    for (const Row& row : rows) {
        Harness h = readyHole(1);
        h.p.queuedRandom = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f};  // character, red, green, blue; show wait 4000 ms
        walk(h, 1, row.stepsBeforeCatch);
        if (row.stepsBeforeCatch == 0) {  // sinking: let it rise, stay up and begin to sink
            walk(h, 1, 8);
            h.p.advance(4001);
            walk(h, 1, 2);
        }
        ASSERT_EQ(h.top(1), row.topAtCatch) << row.phase;
        // What the hit test does on a catch.
        h.s.gHoleCaught[1] = true;
        h.s.gHoleUp[1] = false;
        h.s.gHoleDown[1] = true;

        std::vector<Step> expected;
        for (int top = row.topAtCatch + 20; top <= 252; top += 20)
            expected.push_back({top, 252 - top});
        expected.push_back({252, std::nullopt});
        expectWalk(walk(h, 1, static_cast<int>(expected.size())), expected, row.phase);
        EXPECT_FALSE(h.s.gHoleCaught[1]) << row.phase;
        EXPECT_GE(h.s.gHoleWait[1], 1000) << row.phase;
    }
}

TEST(HoleMotion, TheLastRiseGoesToTheLowestNumberedReadyHole)
{
    struct Row {
        std::vector<int> ready;
        int riser;
    };
    const Row rows[] = {{{1, 2, 3, 4, 5, 6}, 1}, {{3, 5, 6}, 3}, {{6}, 6}, {{2, 4}, 2}};
    for (const Row& row : rows) {
        Harness h;
        h.setUp();
        h.s.gPopCount = h.s.gMojiTotal - 1;
        for (int i = 1; i <= kHoleCount; ++i) {
            h.s.gHoleWait[i] = 1000;
            h.s.gHoleTick[i] = 0;
        }
        for (int i : row.ready)
            h.s.gHoleTick[i] = -1001;
        moveHoles(h.s, h.p);
        EXPECT_EQ(h.s.gPopCount, h.s.gMojiTotal) << "riser " << row.riser;
        for (int i = 1; i <= kHoleCount; ++i)
            EXPECT_EQ(h.s.gHoleUp[i], i == row.riser) << "hole " << i << ", expected riser " << row.riser;

        // The holes left over stay hidden, undrawn, and keep their run-out wait.
        for (int i : row.ready) {
            if (i == row.riser)
                continue;
            EXPECT_EQ(moveHole(h.s, h.p, i), std::nullopt) << "hole " << i;
            EXPECT_EQ(h.s.gHoleTick[i], -1001) << "hole " << i;
        }
    }
}

} // namespace
} // namespace zunaka
