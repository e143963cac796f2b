// The holes: how long a mole waits, how it rises, stays and sinks, which character it carries.
#include "Harness.h"
#include "holes/HoleMotion.h"
#include "shell/Game.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <set>
#include <tuple>
#include <vector>

namespace zunaka {
namespace {

using test::Harness;

constexpr float kJustBelowOne = 0.99999994f;  // the largest float below 1

// Whole seconds: hidden 1..7 at every speed; up 1 ms at speed 1, without a draw, 2..3 s at 2, 4..6 s at 3.
TEST(HoleTiming, HideAndShowWaitsByTheSpeed)
{
    struct Row {
        void (*set)(GameState&, Platform&, int);
        int speed;
        float r;
        int wait;
    };
    std::vector<Row> rows = {{setShowWait, 1, 0.7f, 1},    {setShowWait, 2, 0.0f, 2000},  {setShowWait, 2, 0.49f, 2000},
                             {setShowWait, 2, 0.5f, 3000}, {setShowWait, 2, kJustBelowOne, 3000},
                             {setShowWait, 3, 0.0f, 4000}, {setShowWait, 3, 0.33f, 4000}, {setShowWait, 3, 0.34f, 5000},
                             {setShowWait, 3, 0.67f, 6000}, {setShowWait, 3, kJustBelowOne, 6000}};
    for (int speed = 1; speed <= 3; ++speed) {
        for (const auto& [r, wait] : {std::pair{0.0f, 1000}, {0.14f, 1000}, {0.15f, 2000}, {0.5f, 4000},
                                      {0.86f, 7000}, {kJustBelowOne, 7000}})
            rows.push_back({setHideWait, speed, r, wait});
    }
    for (const Row& row : rows) {
        Harness h;
        h.setUp();
        h.s.gSpeed = row.speed;
        h.p.queuedRandom = {row.r};
        row.set(h.s, h.p, 4);
        const std::string what = (row.set == setHideWait ? "hide, speed " : "show, speed ") +
                                 std::to_string(row.speed) + ", r " + std::to_string(row.r);
        EXPECT_EQ(h.s.gHoleWait[4], row.wait) << what;
        EXPECT_EQ(h.p.queuedRandom.empty(), row.wait != 1) << what << ": the draws taken";
    }
}

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
    // The step that starts the rise draws the character, then red, green and blue, each 1..200; the
    // step that ends it draws the show wait, 4000 ms.
    h.p.queuedRandom = {kJustBelowOne, 0.5f, 0.0f, kJustBelowOne, 0.0f};
    const auto rise = walk(h, 1, 8);
    expectWalk(rise, {{232, 20}, {212, 40}, {192, 60}, {172, 80}, {152, 100}, {132, 120}, {112, 140},
                      {112, std::nullopt}},
               "rise");
    EXPECT_EQ(h.s.gHoleMoji[1], "]");
    EXPECT_EQ((std::array{h.s.gMojiRed[1], h.s.gMojiGreen[1], h.s.gMojiBlue[1]}), (std::array{101, 1, 200}));
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

TEST(HoleMotion, ACaughtMoleTurnsBackAtTheNextStepFromWhereverItIs)
{
    // Hole 1 at speed 3, show wait 4000: the phase, the steps taken before the catch, the top then.
    const std::tuple<const char*, int, int> rows[] = {{"rising", 3, 192}, {"up", 9, 112}, {"sinking", 0, 152}};
    for (const auto& [phase, stepsBeforeCatch, topAtCatch] : rows) {
        Harness h = readyHole(1);
        h.p.queuedRandom = {0.0f, 0.0f, 0.0f, 0.0f, 0.0f};  // character, red, green, blue; show wait 4000 ms
        walk(h, 1, stepsBeforeCatch);
        if (stepsBeforeCatch == 0) {  // sinking: let it rise, stay up and begin to sink
            walk(h, 1, 8);
            h.p.advance(4001);
            walk(h, 1, 2);
        }
        ASSERT_EQ(h.top(1), topAtCatch) << phase;
        // What the hit test does on a catch.
        h.s.gHoleCaught[1] = true;
        h.s.gHoleUp[1] = false;
        h.s.gHoleDown[1] = true;

        std::vector<Step> expected;
        for (int top = topAtCatch + 20; top <= 252; top += 20)
            expected.push_back({top, 252 - top});
        expected.push_back({252, std::nullopt});
        expectWalk(walk(h, 1, static_cast<int>(expected.size())), expected, phase);
        EXPECT_FALSE(h.s.gHoleCaught[1]) << phase;
        EXPECT_GE(h.s.gHoleWait[1], 1000) << phase;
    }
}

TEST(HoleMotion, TheLastRiseGoesToTheLowestNumberedReadyHole)
{
    // The holes ready to rise, and the one that does.
    const std::pair<std::vector<int>, int> rows[] = {{{1, 2, 3, 4, 5, 6}, 1}, {{3, 5, 6}, 3}, {{6}, 6}, {{2, 4}, 2}};
    for (const auto& [ready, riser] : rows) {
        Harness h;
        h.setUp();
        h.s.gPopCount = h.s.gMojiTotal - 1;
        for (int i = 1; i <= kHoleCount; ++i) {
            h.s.gHoleWait[i] = 1000;
            h.s.gHoleTick[i] = 0;
        }
        for (int i : ready)
            h.s.gHoleTick[i] = -1001;
        moveHoles(h.s, h.p);
        EXPECT_EQ(h.s.gPopCount, h.s.gMojiTotal) << "riser " << riser;
        for (int i = 1; i <= kHoleCount; ++i)
            EXPECT_EQ(h.s.gHoleUp[i], i == riser) << "hole " << i << ", expected riser " << riser;

        // The holes left over stay hidden, undrawn, and keep their run-out wait.
        for (int i : ready) {
            if (i == riser)
                continue;
            EXPECT_EQ(moveHole(h.s, h.p, i), std::nullopt) << "hole " << i;
            EXPECT_EQ(h.s.gHoleTick[i], -1001) << "hole " << i;
        }
    }
}

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

// Each row's records are what みんな played before choosing にがてなキー and starting a game; the draws
// are the values the rises then take for their characters.
TEST(MojiTable, WeakKeysDrawByTheWeightsOrAsTheLastLessonPlayed)
{
    const auto played = [](int lesson, std::map<std::string, KeyCount> keys, int missesNamingS = 0,
                           const std::string& player = "みんな") {
        GameRecord record;
        record.lesson = lesson;
        record.player = player;
        record.keys = std::move(keys);
        record.missList.assign(static_cast<std::size_t>(missesNamingS), {"A", {"S"}});
        return record;
    };
    // Met 10 times each: A D F G always caught (weight 1), S always caught but named by 20 misses (m
    // capped at 1: weight 3), H never caught (5), K caught half the time (3); J, met 4 times, is left out.
    // Running sums in table order: A 1, S 4, D 5, F 6, G 7, H 12, K 15.
    const std::map<std::string, KeyCount> sevenMet{{"A", {10, 10}}, {"S", {10, 10}}, {"D", {10, 10}},
                                                   {"F", {10, 10}}, {"G", {10, 10}}, {"H", {10, 0}},
                                                   {"J", {4, 0}},   {"K", {10, 5}}};
    const std::map<std::string, KeyCount> fiveMet{
        {"A", {5, 0}}, {"S", {5, 0}}, {"D", {5, 0}}, {"F", {5, 0}}, {"G", {5, 0}}, {"J", {4, 0}}};
    struct Row {
        const char* what;
        std::vector<GameRecord> stored;
        std::vector<float> draws;
        std::string expected;
    };
    const Row rows[] = {
        {"by the weights, boundaries on both sides",
         {played(3, sevenMet, 20)},
         {0.0f, 0.06f, 0.07f, 0.3f, 0.47f, 0.79f, kJustBelowOne},
         "AASDHHK"},
        {"five keys met: as the last lesson 1..6 of this player",
         {played(3, {}), played(kWeakKeysLesson, fiveMet), played(2, sevenMet, 0, "たろう")},
         {0.0f, kJustBelowOne},
         "Z/"},
        {"no records: as lesson 1", {}, {0.0f, kJustBelowOne}, "A]"},
    };
    for (const Row& row : rows) {
        Harness h;
        h.setUp();
        h.p.recordStore.saved = row.stored;
        h.s.gLesson = kWeakKeysLesson;
        startClick(h.s, h.p);
        h.p.queuedRandom.assign(row.draws.begin(), row.draws.end());
        std::string drawn;
        for (std::size_t i = 0; i < row.draws.size(); ++i) {
            selectMoji(h.s, h.p, 1);
            drawn += h.s.gHoleMoji[1];
        }
        EXPECT_EQ(drawn, row.expected) << row.what;
        EXPECT_EQ(h.s.record.lesson, kWeakKeysLesson) << row.what;
    }
}

} // namespace
} // namespace zunaka
