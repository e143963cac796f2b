#include "Harness.h"
#include "shell/Game.h"
#include "screen/Music.h"
#include "shell/KeyInput.h"
#include "shell/Menus.h"
#include "shell/Startup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cctype>
#include <limits>

namespace zunaka {
namespace {

using test::Harness;
using Commands = std::vector<std::string>;

struct GameRun {
    int frames = 0;
    int maxPopCount = 0;
    Tick lastFrame = 0;
    // Per frame: time since the start, and every mole's top.
    std::vector<std::pair<std::int32_t, std::array<int, kHoleCount>>> trace;
};

// Starts the program at `startTick`, starts a game of `total` moles 500 ms later (as the menus would), and
// quits ten minutes later.
GameRun playGame(Harness& h, Tick startTick, int total, int speed)
{
    h.p.now = startTick;
    h.p.pictures["/opt/zunaka/Deta/Title.jpg"] = QImage(8, 8, QImage::Format_RGB32);
    const auto at = [startTick](std::int32_t ms) {
        return static_cast<Tick>(static_cast<std::uint32_t>(startTick) + static_cast<std::uint32_t>(ms));
    };
    h.p.schedule(at(500), [&h, total, speed] {
        h.s.gMojiTotal = total;
        h.s.gSpeed = speed;
        startClick(h.s, h.p);
    });
    h.p.schedule(at(600'000), [&h] { quitClick(h.s, h.p); });

    GameRun run;
    LoopOptions options;
    options.onFrame = [&] {
        ++run.frames;
        run.maxPopCount = std::max(run.maxPopCount, h.s.gPopCount);
        run.lastFrame = h.p.now;
        std::array<int, kHoleCount> tops{};
        for (int i = 1; i <= kHoleCount; ++i)
            tops[i - 1] = h.top(i);
        run.trace.emplace_back(elapsed(h.p.now, startTick), tops);
    };
    formLoad(h.s, h.p, options);
    return run;
}

TEST(WholeGame, RunsToItsEndWithExactlyTheChosenNumberOfMoles)
{
    struct Row {
        int total;
        int speed;
    };
    const Row rows[] = {{30, 3}, {50, 2}, {70, 1}, {70, 3}};
    for (const Row& row : rows) {
        Harness h;
        const GameRun run = playGame(h, 0, row.total, row.speed);
        const std::string what = std::to_string(row.total) + " moles at speed " + std::to_string(row.speed);

        EXPECT_EQ(h.s.gPopCount, row.total) << what;
        EXPECT_EQ(run.maxPopCount, row.total) << what;
        EXPECT_LT(run.lastFrame, 300'000) << what << ": the game ended well before the quit";
        for (int i = 1; i <= kHoleCount; ++i)
            EXPECT_EQ(h.top(i), h.s.gHoleBottom[i]) << what << ", hole " << i;
        // Open, play at the start, a stop and play for each 67 s restart, stop at the natural end, then the
        // two stop/close pairs of shutdown.
        const Commands& sent = h.p.mediaCommands;
        ASSERT_GE(sent.size(), 7u) << what;
        EXPECT_EQ(sent[1], "play gBGMfile from 0 ") << what;
        const Commands tail(sent.end() - 5, sent.end());
        EXPECT_EQ(tail, (Commands{"stop gBGMfile ", "stop gBGMfile ", "close gBGMfile ", "stop gBGMfile ",
                                  "close gBGMfile "}))
            << what;
        const auto restarts = static_cast<int>(sent.size() - 7) / 2;
        EXPECT_EQ(restarts, elapsed(run.lastFrame, 500) / kMusicPeriodMs) << what;
        EXPECT_TRUE(h.p.fakeForms.keyBoxVisible) << what << ": the natural end leaves the key box";

        // Frames come every 31 ms of the virtual clock while the game runs.
        for (std::size_t f = 1; f < run.trace.size(); ++f)
            ASSERT_EQ(run.trace[f].first - run.trace[f - 1].first, 31) << what << ", frame " << f;
    }
}

TEST(WholeGame, PlaysTheSameWhenTheTickCounterWrapsDuringTheGame)
{
    Harness atZero;
    const GameRun reference = playGame(atZero, 0, 30, 3);
    const Tick starts[] = {std::numeric_limits<Tick>::max() - 1000, -1000};  // 1 s before 2^31 and 2^32
    for (Tick start : starts) {
        Harness h;
        const GameRun run = playGame(h, start, 30, 3);
        EXPECT_EQ(run.frames, reference.frames) << "start " << start;
        EXPECT_TRUE(run.trace == reference.trace) << "start " << start;
        EXPECT_EQ(h.p.mediaCommands, atZero.p.mediaCommands) << "start " << start;
    }
}

enum class Typist { Never, Perfect, Random };

struct Typing {
    int worstLead = std::numeric_limits<int>::min();  // largest gHitCount - gPopCount seen
    int hitSounds = 0;
};

// One key as the key box gets it: the press empties the box and the key's character goes in ("" for
// Backspace), then the release is judged. `pressed` false is a key that types nothing, such as Shift.
void typeKey(Harness& h, const std::string& inserted, bool pressed = true)
{
    if (pressed) {
        text1KeyPress(h.s, h.p);
        h.p.fakeForms.keyBoxTextValue = inserted;
    }
    text1KeyUp(h.s, h.p);
}

// A player who looks at the field every 20 ms until the program ends. The perfect one types the
// character of the first mole it sees out of its hole and not yet caught, whether or not the mole is
// high enough yet; the random one types any key of the keyboard, Backspace and Shift included.
void sitDown(Harness& h, Typist who, Typing& typing, Rng& keys, Tick at = 0)
{
    h.p.schedule(at, [&h, who, &typing, &keys, at] {
        if (!h.s.gLoopOn && at > 0)
            return;
        if (who == Typist::Perfect) {
            for (int i = 1; i <= kHoleCount; ++i) {
                if (h.s.gPlaying && h.top(i) < h.s.gHoleBottom[i] && !h.s.gHoleCaught[i]) {
                    std::string moji = h.s.gHoleMoji[i];
                    std::transform(moji.begin(), moji.end(), moji.begin(), [](unsigned char c) { return std::tolower(c); });
                    typeKey(h, moji);
                    break;
                }
            }
        } else if (who == Typist::Random) {
            const int key = static_cast<int>(keys.next() * (kMojiTableSize + 2)) + 1;
            if (key <= kMojiTableSize)
                typeKey(h, h.s.gMojiTable[key]);
            else
                typeKey(h, "", key == kMojiTableSize + 1);
        }
        typing.worstLead = std::max(typing.worstLead, h.s.gHitCount - h.s.gPopCount);
        sitDown(h, who, typing, keys, at + 20);
    });
}

int hitSounds(const FakePlatform& p, const std::string& hit)
{
    return static_cast<int>(std::count(p.soundsPlayed.begin(), p.soundsPlayed.end(), hit) +
                            std::count(p.soundsDropped.begin(), p.soundsDropped.end(), hit));
}

TEST(WholeGame, TypistsCatchWhatTheyTypeInTime)
{
    struct Row {
        Typist who;
        int lesson, speed, total;
    };
    std::vector<Row> rows{{Typist::Never, 6, 1, 30}, {Typist::Random, 6, 1, 70}, {Typist::Random, 1, 3, 30},
                          {Typist::Random, 5, 2, 50}};
    for (int lesson = 1; lesson <= 6; ++lesson) {
        for (int speed = 1; speed <= 3; ++speed)
            rows.push_back({Typist::Perfect, lesson, speed, 30 + 20 * (speed - 1)});
    }
    for (const Row& row : rows) {
        Harness h;
        Typing typing;
        Rng keys;
        h.p.schedule(400, [&h, &row] { lessonCheckClick(h.s, h.p, row.lesson); });
        sitDown(h, row.who, typing, keys);
        playGame(h, 0, row.total, row.speed);

        const char* names[] = {"never types", "perfect", "random"};
        const std::string what = std::string(names[static_cast<int>(row.who)]) + ", lesson " +
                                 std::to_string(row.lesson) + ", speed " + std::to_string(row.speed);
        ASSERT_EQ(h.s.gPopCount, row.total) << what;
        EXPECT_LE(typing.worstLead, 0) << what << ": more moles caught than had appeared";
        EXPECT_EQ(hitSounds(h.p, h.s.gHitSound), h.s.gHitCount) << what << ": one hit sound per catch";
        switch (row.who) {
        case Typist::Never:
            EXPECT_EQ(h.s.gHitCount, 0) << what;
            EXPECT_TRUE(h.p.soundsPlayed.empty()) << what;
            break;
        case Typist::Perfect:
            EXPECT_EQ(h.s.gHitCount, row.total) << what;
            break;
        case Typist::Random:
            EXPECT_GT(h.s.gHitCount, 0) << what << ": a random typist catches a few";
            break;
        }
    }
}

} // namespace
} // namespace zunaka
