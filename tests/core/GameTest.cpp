// Starting and stopping a game, the main loop that runs it, and the clock and generator under both.
#include "Harness.h"
#include "platform/Rng.h"
#include "shell/Game.h"
#include "shell/MainLoop.h"

#include <gtest/gtest.h>

#include <limits>

namespace zunaka {
namespace {

using test::Harness;
using Commands = std::vector<std::string>;

Harness idleAfterStartUp()
{
    Harness h;
    h.setUp();
    h.p.mciSendString("open \"/opt/zunaka/Deta/Blugrass.mid\" type sequencer alias gBGMfile");
    h.p.mediaCommands.clear();
    h.p.mediaResults.clear();
    h.p.music.log.clear();
    return h;
}

TEST(Game, StartResetsTheGameAndStartsTheMusicFromTheTop)
{
    Harness h = idleAfterStartUp();
    h.p.now = 777;
    h.s.gPopCount = 12;
    h.s.gHitCount = 5;
    h.s.gHoleCaught[3] = true;
    h.s.gHoleUp[2] = h.s.gHoleDown[5] = true;
    h.s.gHoleRect[2].top = 150;
    h.p.fakeForms.keyBoxTextValue = "k";
    startClick(h.s, h.p);

    EXPECT_TRUE(h.s.gPlaying);
    EXPECT_EQ(h.p.mediaCommands, Commands{"play gBGMfile from 0 "});
    EXPECT_EQ(h.p.music.log, Commands{"play"});
    EXPECT_EQ(h.s.gPopCount, 0);
    EXPECT_EQ(h.s.gHitCount, 0);
    EXPECT_EQ(h.s.gFrameTick, 777);
    EXPECT_EQ(h.s.gBgmTick, 777);
    EXPECT_TRUE(h.p.fakeForms.keyBoxVisible);
    EXPECT_EQ(h.p.fakeForms.keyBoxTextValue, "");
    for (int i = 1; i <= kHoleCount; ++i) {
        EXPECT_EQ(h.top(i), h.s.gHoleBottom[i]) << "hole " << i;
        EXPECT_FALSE(h.s.gHoleCaught[i] || h.s.gHoleUp[i] || h.s.gHoleDown[i]) << "hole " << i;
        EXPECT_EQ(h.s.gHoleTick[i], 777) << "hole " << i;
        EXPECT_TRUE(h.s.gHoleWait[i] >= 1000 && h.s.gHoleWait[i] <= 7000) << "a fresh hide wait, hole " << i;
    }
}

TEST(Game, StartAndStopSendExactlyTheirMediaCommands)
{
    struct Row {
        const char* what;
        bool playing;
        bool musicOff;
        void (*action)(GameState&, Platform&);
        Commands sent;
        bool playingAfter;
    };
    const Row rows[] = {
        {"start while idle", false, false, startClick, {"play gBGMfile from 0 "}, true},
        {"start with the music off", false, true, startClick, {}, true},
        {"start during a game", true, false, startClick, {}, true},
        {"stop during a game", true, false, stopClick, {"stop gBGMfile "}, false},
        {"stop while idle", false, false, stopClick, {"stop gBGMfile "}, false},
        {"stop with the music off", true, true, stopClick, {"stop gBGMfile "}, false},
    };
    for (const Row& row : rows) {
        Harness h = idleAfterStartUp();
        h.s.gPlaying = row.playing;
        h.s.gBgmOff = row.musicOff;
        h.s.gPopCount = 9;
        h.p.fakeForms.keyBoxVisible = row.playing;
        h.s.AllPicture.fill(Qt::red);
        h.p.fakeForms.window.fill(Qt::red);
        row.action(h.s, h.p);
        EXPECT_EQ(h.p.mediaCommands, row.sent) << row.what;
        EXPECT_EQ(h.s.gPlaying, row.playingAfter) << row.what;
        EXPECT_EQ(h.p.fakeForms.keyBoxVisible, row.playingAfter) << row.what;
        // Stop clears the playfield in the buffer and on the window; start draws nothing.
        EXPECT_EQ(h.s.AllPicture == h.s.BackPicture, row.action == stopClick) << row.what;
        EXPECT_EQ(h.p.fakeForms.window == h.s.BackPicture, row.action == stopClick) << row.what;
        // A start during a game keeps its counts; only a real start zeroes them.
        EXPECT_EQ(h.s.gPopCount, row.action == startClick && !row.playing ? 0 : 9) << row.what;
        // ストップ stores the game it ends, unfinished.
        const auto& saved = h.p.recordStore.saved;
        EXPECT_EQ(saved.size(), row.action == stopClick && row.playing ? 1u : 0u) << row.what;
        EXPECT_TRUE(saved.empty() || (saved[0].appeared == 9 && !saved[0].finished)) << row.what;
    }
}

TEST(MainLoop, APassWithoutAGameOnlyDispatchesEvents)
{
    Harness h;
    h.setUp();
    h.p.now = 100000;
    runPass(h.s, h.p);
    EXPECT_EQ(h.p.doEventsCount, 1);
    EXPECT_EQ(h.p.fakeForms.focusCount, 0);
    EXPECT_EQ(h.s.gFrameTick, 0);
    EXPECT_TRUE(h.p.mediaCommands.empty());
    EXPECT_EQ(idleWaitMs(h.s, h.p), -1);
}

TEST(MainLoop, TheGameEndsInThePassWhoseFrameBringsTheLastMoleDown)
{
    Harness h;
    h.setUp();
    startClick(h.s, h.p);
    h.s.gPopCount = h.s.gMojiTotal;
    h.s.gHoleDown[2] = true;
    h.s.gHoleRect[2].top = h.s.gHoleBottom[2] - h.s.gStep;
    h.p.advance(31);
    runPass(h.s, h.p);
    EXPECT_EQ(h.top(2), h.s.gHoleBottom[2]);
    EXPECT_FALSE(h.s.gPlaying) << "the end is tested after the frame, not a frame late";
    EXPECT_EQ(h.p.fakeForms.focusCount, 1) << "the key box is focused on every pass of a game";
}

TEST(MainLoop, WaitsUntilTheNextFrameOrMusicRestartIsDue)
{
    struct Row {
        int sinceFrame;
        int sinceMusic;
        bool musicOff;
        int wait;
    };
    const Row rows[] = {{0, 0, false, 31},     {10, 10, false, 21},   {31, 31, false, 0},
                        {45, 45, false, 0},    {0, 66990, false, 11}, {0, 66990, true, 31},
                        {20, 67000, false, 1}};
    for (const Row& row : rows) {
        Harness h;
        h.s.gPlaying = true;
        h.s.gBgmOff = row.musicOff;
        h.p.now = 1'000'000;
        h.s.gFrameTick = h.p.now - row.sinceFrame;
        h.s.gBgmTick = h.p.now - row.sinceMusic;
        EXPECT_EQ(idleWaitMs(h.s, h.p), row.wait) << row.sinceFrame << " / " << row.sinceMusic;
    }
}

TEST(MainLoop, TheMusicRestartsFromTheTopAtTheFirstPassAfterEachPeriod)
{
    Harness h;
    h.setUp();
    h.p.mciSendString("open \"/m.mid\" type sequencer alias gBGMfile");
    startClick(h.s, h.p);
    h.s.gMojiTotal = 1000;  // a game that outlasts the test
    h.p.schedule(150'000, [&h] { h.s.gLoopOn = false; });
    mainLoop(h.s, h.p);

    std::vector<std::pair<std::string, Tick>> plays;
    for (std::size_t i = 0; i < h.p.mediaCommands.size(); ++i) {
        if (h.p.mediaCommands[i].rfind("play", 0) == 0)
            plays.emplace_back(h.p.mediaCommands[i - (i > 0 ? 1 : 0)], h.p.mediaTicks[i]);
    }
    ASSERT_EQ(plays.size(), 3u);
    EXPECT_EQ(plays[0].second, 0);
    EXPECT_EQ(plays[1].second, 67001);
    EXPECT_EQ(plays[2].second, 134002);
    EXPECT_EQ(plays[1].first, "stop gBGMfile ") << "a restart stops the piece first";
}

constexpr Tick kMax = std::numeric_limits<Tick>::max();
constexpr Tick kMin = std::numeric_limits<Tick>::min();

TEST(Ticks, WaitRunsOutStrictlyAfterItsLengthAcrossEveryWrap)
{
    struct Row {
        Tick since;
        std::int32_t after;
        std::int32_t wait;
        bool runOut;
    };
    const Row rows[] = {
        {0, 1000, 1000, false},        {0, 1001, 1000, true},
        {kMax - 500, 1000, 1000, false}, {kMax - 500, 1001, 1000, true},  // across 2^31
        {-500, 1000, 1000, false},     {-500, 1001, 1000, true},          // across 2^32
        {kMin, 30, 30, false},         {kMin, 31, 30, true},
        {12345, 0, 1, false},          {12345, 2, 1, true},
    };
    for (const Row& row : rows) {
        const Tick now = static_cast<Tick>(static_cast<std::uint32_t>(row.since) + row.after);
        EXPECT_EQ(elapsed(now, row.since), row.after) << "since " << row.since;
        EXPECT_EQ(hasRunOut(now, row.since, row.wait), row.runOut)
            << "since " << row.since << " after " << row.after << " wait " << row.wait;
    }
}

TEST(Rng, StaysBelowOneAndRepeatsFromTheSameStartEveryRun)
{
    Rng first;
    Rng second;
    float lowest = 1.0f;
    float highest = 0.0f;
    for (int i = 0; i < 1'000'000; ++i) {
        const float r = first.next();
        ASSERT_EQ(r, second.next()) << "draw " << i;
        ASSERT_GE(r, 0.0f);
        ASSERT_LT(r, 1.0f);
        lowest = std::min(lowest, r);
        highest = std::max(highest, r);
    }
    // Uniform over the whole range, not stuck in part of it; the extremes a million draws rarely reach
    // are the conversions of the smallest and largest raw values.
    EXPECT_LT(lowest, 1e-5f);
    EXPECT_GT(highest, 1.0f - 1e-5f);
    EXPECT_EQ(Rng::toUnit(0), 0.0f);
    EXPECT_EQ(Rng::toUnit(~std::uint64_t{0}), 1.0f - 0x1p-24f);
}

} // namespace
} // namespace zunaka
