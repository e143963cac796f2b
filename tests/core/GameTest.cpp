// Starting and stopping a game, the main loop that runs it, and the clock and generator under both.
#include "Harness.h"
#include "platform/Rng.h"
#include "shell/Game.h"
#include "shell/MainLoop.h"

#include <gtest/gtest.h>

#include <limits>
#include <tuple>

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
        h.p.now = 777;
        h.s.gPlaying = row.playing;
        h.s.gBgmOff = row.musicOff;
        h.s.gPopCount = 9;
        h.s.gHitCount = 5;
        h.s.gHoleCaught[3] = h.s.gHoleUp[2] = h.s.gHoleDown[5] = true;
        h.s.gHoleRect[2].top = 150;
        h.p.fakeForms.keyBoxVisible = row.playing;
        h.p.fakeForms.keyBoxTextValue = "k";
        h.s.AllPicture.fill(Qt::red);
        h.p.fakeForms.window.fill(Qt::red);
        row.action(h.s, h.p);
        EXPECT_EQ(h.p.mediaCommands, row.sent) << row.what;
        EXPECT_EQ(h.s.gPlaying, row.playingAfter) << row.what;
        EXPECT_EQ(h.p.fakeForms.keyBoxVisible, row.playingAfter) << row.what;
        // Stop clears the playfield in the buffer and on the window; start draws nothing.
        EXPECT_EQ(h.s.AllPicture == h.s.BackPicture, row.action == stopClick) << row.what;
        EXPECT_EQ(h.p.fakeForms.window == h.s.BackPicture, row.action == stopClick) << row.what;
        // A start during a game keeps it as it is; only a real start resets the counts, the holes (each
        // with a fresh hide wait from now), the key box and the clocks of the frames and the music.
        if (row.action == startClick && !row.playing) {
            EXPECT_EQ(std::tuple(h.s.gPopCount, h.s.gHitCount, h.s.gFrameTick, h.s.gBgmTick, h.p.fakeForms.keyBoxTextValue),
                      std::tuple(0, 0, 777, 777, ""))
                << row.what;
            for (int i = 1; i <= kHoleCount; ++i) {
                EXPECT_FALSE(h.s.gHoleCaught[i] || h.s.gHoleUp[i] || h.s.gHoleDown[i]) << row.what << ", hole " << i;
                EXPECT_EQ(std::pair(h.top(i), h.s.gHoleTick[i]), std::pair(h.s.gHoleBottom[i], 777)) << "hole " << i;
                EXPECT_TRUE(h.s.gHoleWait[i] >= 1000 && h.s.gHoleWait[i] <= 7000) << "a fresh hide wait, hole " << i;
            }
        } else {
            EXPECT_EQ(std::pair(h.s.gPopCount, h.s.gHitCount), std::pair(9, 5)) << row.what;
        }
        // ストップ stores the game it ends, unfinished.
        const auto& saved = h.p.recordStore.saved;
        EXPECT_EQ(saved.size(), row.action == stopClick && row.playing ? 1u : 0u) << row.what;
        EXPECT_TRUE(saved.empty() || (saved[0].appeared == 9 && !saved[0].finished)) << row.what;
    }
}

// Without a game a pass only dispatches events; during one it focuses the key box, runs the frame that is
// due, and ends the game in the pass whose frame brings the last mole down, not a frame late.
TEST(MainLoop, APassRunsAFrameOnlyDuringAGameAndEndsItWithTheLastMoleDown)
{
    Harness h;
    h.setUp();
    h.p.now = 100000;
    runPass(h.s, h.p);
    EXPECT_EQ(std::tuple(h.p.doEventsCount, h.p.fakeForms.focusCount, h.s.gFrameTick), std::tuple(1, 0, Tick{0}));
    EXPECT_TRUE(h.p.mediaCommands.empty());
    EXPECT_EQ(idleWaitMs(h.s, h.p), -1);

    startClick(h.s, h.p);
    h.s.gPopCount = h.s.gMojiTotal;
    h.s.gHoleDown[2] = true;
    h.s.gHoleRect[2].top = h.s.gHoleBottom[2] - h.s.gStep;
    h.p.advance(31);
    runPass(h.s, h.p);
    EXPECT_EQ(h.top(2), h.s.gHoleBottom[2]);
    EXPECT_FALSE(h.s.gPlaying);
    EXPECT_EQ(h.p.fakeForms.focusCount, 1);
}

TEST(MainLoop, WaitsUntilTheNextFrameOrMusicRestartIsDue)
{
    // Since the last frame, since the music's last start, the music off; the wait.
    const std::tuple<int, int, bool, int> rows[] = {{0, 0, false, 31},     {10, 10, false, 21},   {31, 31, false, 0},
                        {45, 45, false, 0},    {0, 66990, false, 11}, {0, 66990, true, 31},
                        {20, 67000, false, 1}};
    for (const auto& [sinceFrame, sinceMusic, musicOff, wait] : rows) {
        Harness h;
        h.s.gPlaying = true;
        h.s.gBgmOff = musicOff;
        h.p.now = 1'000'000;
        h.s.gFrameTick = h.p.now - sinceFrame;
        h.s.gBgmTick = h.p.now - sinceMusic;
        EXPECT_EQ(idleWaitMs(h.s, h.p), wait) << sinceFrame << " / " << sinceMusic;
    }
}

// A wait runs out strictly after its length, across 2^31 and 2^32 alike.
TEST(Ticks, WaitRunsOutStrictlyAfterItsLengthAcrossEveryWrap)
{
    for (const Tick since : {Tick{0}, std::numeric_limits<Tick>::max() - 500, Tick{-500}}) {
        for (const std::int32_t after : {1000, 1001}) {
            const Tick now = static_cast<Tick>(static_cast<std::uint32_t>(since) + after);
            EXPECT_EQ(elapsed(now, since), after) << "since " << since;
            EXPECT_EQ(hasRunOut(now, since, 1000), after > 1000) << "since " << since << ", after " << after;
        }
    }
}

// The largest raw value must not round up to 1.0: a draw scaled by a table's size would index past it.
// (That the draws repeat from run to run, the whole-game test's frame log shows.)
TEST(Rng, TheLargestDrawStaysBelowOne)
{
    EXPECT_EQ(Rng::toUnit(0), 0.0f);
    EXPECT_EQ(Rng::toUnit(~std::uint64_t{0}), 1.0f - 0x1p-24f);
}

} // namespace
} // namespace zunaka
