#include "Harness.h"
#include "shell/Game.h"

#include <gtest/gtest.h>

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
    }
}

TEST(Game, FinishesOnlyWhenEveryMoleIsBackInItsHole)
{
    struct Row {
        int hole;
        int offset;  // top = bottom - offset
        bool ends;
    };
    const Row rows[] = {{0, 0, true}, {1, 20, false}, {6, 1, false}, {5, 140, false}, {3, 0, true}};
    for (const Row& row : rows) {
        Harness h = idleAfterStartUp();
        startClick(h.s, h.p);
        h.p.mediaCommands.clear();
        if (row.hole != 0)
            h.s.gHoleRect[row.hole].top = h.s.gHoleBottom[row.hole] - row.offset;
        finishGame(h.s, h.p);
        EXPECT_EQ(h.s.gPlaying, !row.ends) << "hole " << row.hole << " offset " << row.offset;
        EXPECT_EQ(h.p.mediaCommands, row.ends ? Commands{"stop gBGMfile "} : Commands{})
            << "hole " << row.hole << " offset " << row.offset;
        // The natural end leaves the key box as it was.
        EXPECT_TRUE(h.p.fakeForms.keyBoxVisible);
    }
}

} // namespace
} // namespace zunaka
