#include "Harness.h"
#include "shell/Game.h"
#include "shell/KeyInput.h"
#include "shell/Menus.h"
#include "shell/Startup.h"

#include <gtest/gtest.h>

#include <array>
#include <cctype>
#include <fstream>
#include <optional>
#include <limits>
#include <sstream>

namespace zunaka {
namespace {

using test::Harness;
using Commands = std::vector<std::string>;

struct GameRun {
    Tick lastFrame = 0;
    // Per frame: time since the start, and every mole's top.
    std::vector<std::pair<std::int32_t, std::array<int, kHoleCount>>> trace;
    // Per frame that sent the window anything: time since the start and a checksum of what it sent.
    std::string drawn;
    std::size_t blitsSeen = 0;
};

// A checksum of the window's pixels under each blit sent since the last frame, if any.
void logDrawing(GameRun& run, const FakeForms& forms, std::int32_t at)
{
    std::uint64_t sum = 0;
    for (; run.blitsSeen < forms.windowBlits.size(); ++run.blitsSeen) {
        const QRect to = forms.windowBlits[run.blitsSeen].to & forms.window.rect();
        for (int y = to.top(); y <= to.bottom(); ++y) {
            const auto* row = reinterpret_cast<const QRgb*>(forms.window.constScanLine(y)) + to.left();
            for (int x = 0; x < to.width(); ++x)
                sum = (sum ^ row[x]) * 1099511628211u + 1;
        }
    }
    if (sum != 0)
        run.drawn += std::to_string(at) + ' ' + std::to_string(sum) + '\n';
}

// Starts the program at `startTick`, starts a game of `total` moles 500 ms later (as the menus would), and
// quits ten minutes later; with `logsDrawing`, keeps the frames' checksums in `drawn`.
GameRun playGame(Harness& h, Tick startTick, int total, int speed, bool logsDrawing = false)
{
    h.p.now = startTick;
    h.providePictures();
    const auto at = [startTick](std::int32_t ms) { return ticksAfter(startTick, ms); };
    h.p.schedule(at(500), [&h, total, speed] {
        h.s.gMojiTotal = total;
        h.s.gSpeed = speed;
        startClick(h.s, h.p);
    });
    h.p.schedule(at(600'000), [&h] { quitClick(h.s, h.p); });

    GameRun run;
    LoopOptions options;
    options.onFrame = [&] {
        run.lastFrame = h.p.now;
        std::array<int, kHoleCount> tops{};
        for (int i = 1; i <= kHoleCount; ++i)
            tops[i - 1] = h.top(i);
        run.trace.emplace_back(elapsed(h.p.now, startTick), tops);
        if (logsDrawing)
            logDrawing(run, h.p.fakeForms, elapsed(h.p.now, startTick));
    };
    formLoad(h.s, h.p, options);
    // Frames keep to a grid of 31 ms of the virtual clock while the game runs, however often events wake
    // the loop; the loop sleeps through those that would change nothing.
    for (std::size_t f = 1; f < run.trace.size(); ++f) {
        if (const int gap = run.trace[f].first - run.trace[f - 1].first; gap % 31 != 0) {
            ADD_FAILURE() << total << " moles at speed " << speed << ": frame " << f << " came after " << gap << " ms";
            break;
        }
    }
    return run;
}

TEST(WholeGame, PlaysTheSameWhenTheTickCounterWrapsDuringTheGame)
{
    Harness atZero;
    const GameRun reference = playGame(atZero, 0, 30, 3);
    const Tick starts[] = {std::numeric_limits<Tick>::max() - 1000, -1000};  // 1 s before 2^31 and 2^32
    for (Tick start : starts) {
        Harness h;
        const GameRun run = playGame(h, start, 30, 3);
        EXPECT_TRUE(run.trace == reference.trace) << "start " << start;
        EXPECT_EQ(h.p.mediaCommands, atZero.p.mediaCommands) << "start " << start;
    }
}

// A player who looks at the field until the program ends and types the character of the first mole it
// sees out of its hole and not yet caught: every 20 ms, high enough or not (types 1), or every 70 ms, only
// a mole standing still at the top (2); or one who never types (0). (Random typing is the soak's.)
void sitDown(Harness& h, int types, Tick at = 0)
{
    h.p.schedule(at, [&h, types, at] {
        for (int i = 1; i <= kHoleCount && types; ++i) {
            if (h.top(i) < h.s.gHoleBottom[i] && !h.s.gHoleCaught[i] && (types == 1 || (!h.s.gHoleUp[i] && h.top(i) <= h.s.gHoleTop[i]))) {
                text1KeyPress(h.s, h.p);
                h.p.fakeForms.keyBoxTextValue = std::string(1, static_cast<char>(std::tolower(h.s.gHoleMoji[i].at(0))));
                text1KeyUp(h.s, h.p);
                break;
            }
        }
        if (h.s.gLoopOn)
            sitDown(h, types, at + (types == 2 ? 70 : 20));
    });
}

// Every lesson at every speed: the game ends by itself with exactly the moles chosen, all caught by the
// typist and none by the idle player, the music stopped, the record stored once.
TEST(WholeGame, RunsToItsEndAPerfectTypistCatchingEveryMoleAndOneWhoNeverTypesNone)
{
    std::vector<std::array<int, 4>> rows{{0, 6, 1, 30}, {2, 6, 3, 70}};
    for (int lesson = 1; lesson <= 6; ++lesson) {
        for (int speed = 1; speed <= 3; ++speed)
            rows.push_back({1, lesson, speed, 10 + 20 * speed});
    }
    std::string drawn;
    for (const auto& [types, lesson, speed, total] : rows) {
        Harness h;
        h.p.schedule(400, [&h, lesson] { lessonCheckClick(h.s, h.p, lesson); });
        sitDown(h, types);
        const bool logged = lesson == 6 && (speed == 1 || types == 2);
        const GameRun run = playGame(h, 0, total, speed, logged);
        if (logged)
            drawn += "game " + std::to_string(types) + "\n" + run.drawn;
        const std::string what = (types ? "typist, lesson " : "idle, lesson ") + std::to_string(lesson) +
                                 ", speed " + std::to_string(speed) + ", caught " + std::to_string(h.s.gHitCount);
        ASSERT_EQ(h.s.gPopCount, total) << what;
        if (types != 2) {  // the slow one misses the moles that stand up too briefly
            EXPECT_EQ(h.s.gHitCount, types ? total : 0) << what;
        }
        EXPECT_LT(run.lastFrame, 300'000) << what << ": the game ended well before the quit";
        for (int i = 1; i <= kHoleCount; ++i)
            EXPECT_EQ(h.top(i), h.s.gHoleBottom[i]) << what << ", hole " << i;
        // Play at the start, a stop and play for each restart, stop at the natural end, then the two
        // stop/close pairs of shutdown.
        const Commands& sent = h.p.mediaCommands;
        ASSERT_GE(sent.size(), 7u) << what;
        EXPECT_EQ(sent[1], "play gBGMfile from 0 ") << what;
        EXPECT_EQ(Commands(sent.end() - 5, sent.end()), (Commands{"stop gBGMfile ", "stop gBGMfile ", "close gBGMfile ",
                                                                 "stop gBGMfile ", "close gBGMfile "}))
            << what;
        EXPECT_TRUE(h.p.fakeForms.keyBoxVisible) << what << ": the natural end leaves the key box";
        // A frame sends the window only what changed, never the whole picture.
        for (const auto& blit : h.p.fakeForms.windowBlits)
            ASSERT_NE(blit.from, QRect(0, 0, 640, 480)) << what;
        EXPECT_EQ(h.p.soundsPlayed.empty(), !types) << what;
        // The natural end stores the game once, its counts per key adding up to the strip's.
        ASSERT_EQ(h.p.recordStore.saved.size(), 1u) << what;
        const GameRecord& record = h.p.recordStore.saved[0];
        KeyCount sum;
        for (const auto& [moji, count] : record.keys)
            sum = {sum.appeared + count.appeared, sum.caught + count.caught};
        EXPECT_EQ(sum, (KeyCount{total, h.s.gHitCount})) << what;
        EXPECT_TRUE(record.finished && record.lesson == lesson && record.speed == speed && record.appeared == total &&
                    record.caught == h.s.gHitCount)
            << what;
    }
    // Every frame that draws, at its tick, drawing the same pixels as when the file was made; a difference
    // leaves the frames of now beside the build, to compare or, on purpose, to renew the file with.
    std::stringstream reference;
    reference << std::ifstream(ZUNAKA_FRAME_LOG).rdbuf();
    if (reference.str() != drawn) {
        std::ofstream("WholeGameFrames.txt") << drawn;
        ADD_FAILURE() << "the frames differ from " << ZUNAKA_FRAME_LOG << ": see WholeGameFrames.txt";
    }
}

} // namespace
} // namespace zunaka
