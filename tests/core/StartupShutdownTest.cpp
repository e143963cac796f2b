#include "Harness.h"
#include "Messages.h"
#include "shell/Game.h"
#include "shell/Startup.h"

#include <gtest/gtest.h>

namespace zunaka {
namespace {

using test::Harness;
using Commands = std::vector<std::string>;

const std::string kOpen = "open \"/opt/zunaka/Deta/Blugrass.mid\" type sequencer alias gBGMfile";

Harness withTitle()
{
    Harness h;
    h.providePictures();
    return h;
}

// Each failure ends the program with its one message, before the steps that follow it.
TEST(Startup, AFailureEndsTheProgramWithItsMessage)
{
    struct Row {
        const char* what;
        void (*spoil)(Harness&);
        const char* message;
        bool reachedMedia;
        bool loopRan;
    };
    const Row rows[] = {
        {"a second instance", [](Harness& h) { h.p.anotherInstance = true; }, kAlreadyRunning, false, false},
        {"no title picture", [](Harness& h) { h.p.pictures.clear(); }, kPictureLoadError, false, false},
        {"a broken media layer", [](Harness& h) { h.p.mediaBreaks = true; }, kSoundLoadError, true, false},
        {"a handler failing while the loop runs",
         [](Harness& h) {
             h.p.schedule(500, [&h] { startClick(h.s, h.p); });
             h.p.schedule(900, [] { throw std::runtime_error("a handler failed"); });
         },
         kPictureLoadError, true, true},
    };
    for (const Row& row : rows) {
        Harness h = withTitle();
        row.spoil(h);
        EXPECT_THROW(formLoad(h.s, h.p), ProgramEnded) << row.what;
        EXPECT_EQ(h.p.messages, Commands{row.message}) << row.what;
        EXPECT_EQ(h.p.mediaCommands.empty(), !row.reachedMedia) << row.what;
        EXPECT_EQ(h.p.doEventsCount > 0, row.loopRan) << row.what;
        EXPECT_FALSE(h.p.fakeForms.mainVisible) << row.what;
        if (!row.loopRan) {
            EXPECT_FALSE(h.s.gLoopOn) << row.what << ": the defaults are set last";
            EXPECT_FALSE(h.p.fakeForms.titleTimerEnabled) << row.what << ": the title must not hand over behind the message";
        }
        if (std::string(row.message) == kAlreadyRunning) {  // refused before the title
            EXPECT_FALSE(h.p.fakeForms.titleVisible);
            EXPECT_TRUE(h.p.picturesLoaded.empty());
        }
    }
}

// A game started at 1 s is closed at `at`: its record is stored once, unless no mole has appeared yet.
TEST(Shutdown, EveryWayOfClosingStopsAndClosesTheMusicAndEndsTheLoop)
{
    struct Row {
        const char* way;
        void (*close)(Harness&);
        Tick at;
        bool stored;
    };
    const Row rows[] = {
        {"menu", [](Harness& h) { quitClick(h.s, h.p); }, 9000, true},
        {"window system", [](Harness& h) { h.p.fakeForms.unloadMainForm(); }, 9000, true},
        {"menu, before the first mole", [](Harness& h) { quitClick(h.s, h.p); }, 1500, false},
    };
    for (const Row& row : rows) {
        Harness h = withTitle();
        h.p.schedule(1000, [&h] { startClick(h.s, h.p); });
        h.p.schedule(row.at, [&h, &row] { row.close(h); });
        int framesAfterClose = 0;
        LoopOptions options;
        options.onFrame = [&h, &framesAfterClose, &row] { framesAfterClose += h.p.now >= row.at ? 1 : 0; };
        formLoad(h.s, h.p, options);

        EXPECT_FALSE(h.s.gPlaying) << row.way;
        EXPECT_FALSE(h.s.gLoopOn) << row.way;
        EXPECT_TRUE(h.p.fakeForms.mainUnloaded) << row.way;
        EXPECT_EQ(framesAfterClose, 0) << row.way;
        const Commands tail(h.p.mediaCommands.end() - 4, h.p.mediaCommands.end());
        EXPECT_EQ(tail, (Commands{"stop gBGMfile ", "close gBGMfile ", "stop gBGMfile ", "close gBGMfile "}))
            << row.way;
        const std::vector<int> results(h.p.mediaResults.end() - 4, h.p.mediaResults.end());
        EXPECT_EQ(results, (std::vector<int>{mci::kOk, mci::kOk, mci::kNotOpen, mci::kNotOpen})) << row.way;
        const auto& saved = h.p.recordStore.saved;
        ASSERT_EQ(saved.size(), row.stored ? 1u : 0u) << row.way;
        if (row.stored) {
            GameRecord expected = h.s.record;
            expected.started = h.p.recordStore.clock;
            expected.lesson = 1, expected.speed = 3, expected.moles = 30, expected.player = "みんな";
            expected.appeared = h.s.gPopCount, expected.caught = 0, expected.playedMs = 8000;
            EXPECT_TRUE(h.s.gPopCount > 0 && saved[0] == expected) << row.way;
        }
    }
}

// Start-up shows the title alone, with the music opened, the sounds found and the defaults set; the title
// hands over to the bare playfield on its eleventh tick, a mouse press or its closing.
TEST(Title, HandsOverOnTheEleventhTickAMousePressOrClosing)
{
    struct Row {
        const char* way;
        int ticks;
        void (*act)(Harness&);
        bool handedOver;
    };
    const Row rows[] = {
        {"ten ticks", 10, nullptr, false},
        {"eleven ticks", 11, nullptr, true},
        {"mouse press", 2, [](Harness& h) { titleMouseDown(h.s, h.p); }, true},
        {"closed", 3, [](Harness& h) { h.p.fakeForms.unloadTitleForm(); }, true},
    };
    for (const Row& row : rows) {
        Harness h = withTitle();
        for (int tick = 1; tick <= row.ticks; ++tick)
            h.p.schedule(tick * 1000, [&h] { titleTimerTick(h.s, h.p); });
        if (row.act)
            h.p.schedule(row.ticks * 1000 + 500, [&h, &row] { row.act(h); });
        h.p.schedule(0, [&h] {
            EXPECT_TRUE(h.p.fakeForms.titleVisible && !h.p.fakeForms.mainVisible && h.s.gLoopOn);
            EXPECT_EQ(h.top(5), 429);
        });
        h.p.schedule(20000, [&h] { quitClick(h.s, h.p); });
        bool mainShownBeforeQuit = false;
        h.p.schedule(19999, [&h, &mainShownBeforeQuit] { mainShownBeforeQuit = h.p.fakeForms.mainVisible; });
        formLoad(h.s, h.p);

        EXPECT_EQ(mainShownBeforeQuit, row.handedOver) << row.way;
        EXPECT_EQ(h.p.fakeForms.window == h.s.BackPicture, row.handedOver) << row.way << ": the bare playfield";
        EXPECT_EQ(h.p.fakeForms.titleUnloaded, row.handedOver) << row.way;
        // The tick and the mouse stop the timer themselves; a closed window's timer stops with the window.
        if (std::string(row.way) != "closed") {
            EXPECT_EQ(!h.p.fakeForms.titleTimerEnabled, row.handedOver) << row.way;
        }
        EXPECT_FALSE(h.s.gPlaying) << row.way;
        EXPECT_EQ(h.p.fakeForms.titlePaintSize, QSize(640, 500));
        EXPECT_EQ(h.p.mediaCommands.front(), kOpen);
        EXPECT_EQ(h.s.gMissSound, Harness::kMissPath);
        EXPECT_EQ(h.s.gHitSound, Harness::kHitPath);
        EXPECT_TRUE(h.p.messages.empty()) << row.way;
    }
}

} // namespace
} // namespace zunaka
