#include "Harness.h"
#include "shell/Game.h"
#include "shell/MainLoop.h"

#include <gtest/gtest.h>

namespace zunaka {
namespace {

using test::Harness;

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
    EXPECT_EQ(idleWaitMs(h.s, h.p.now), -1);
}

TEST(MainLoop, AFrameRunsOnlyStrictlyMoreThanThirtyMillisecondsAfterTheLast)
{
    const std::pair<int, bool> rows[] = {{0, false}, {29, false}, {30, false}, {31, true}, {500, true}};
    for (const auto& [after, frame] : rows) {
        Harness h;
        h.setUp();
        startClick(h.s, h.p);
        h.p.advance(after);
        int frames = 0;
        LoopOptions options;
        options.onFrame = [&frames] { ++frames; };
        runPass(h.s, h.p, options);
        EXPECT_EQ(frames, frame ? 1 : 0) << "after " << after << " ms";
        EXPECT_EQ(h.s.gFrameTick, frame ? h.p.now : 0) << "after " << after << " ms";
        EXPECT_EQ(h.p.fakeForms.focusCount, 1) << "the key box is focused on every pass of a game";
    }
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
        GameState s;
        s.gPlaying = true;
        s.gBgmOff = row.musicOff;
        const Tick now = 1'000'000;
        s.gFrameTick = now - row.sinceFrame;
        s.gBgmTick = now - row.sinceMusic;
        EXPECT_EQ(idleWaitMs(s, now), row.wait) << row.sinceFrame << " / " << row.sinceMusic;
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

} // namespace
} // namespace zunaka
