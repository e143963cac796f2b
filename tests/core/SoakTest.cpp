#include "Harness.h"
#include "help/HelpPage.h"
#include "shell/Game.h"
#include "shell/KeyInput.h"
#include "shell/Menus.h"
#include "shell/Startup.h"

#include <gtest/gtest.h>

#include <QtGlobal>

#include <cstdlib>
#include <limits>
#include <random>

namespace zunaka {
namespace {

using test::Harness;

// What must hold after every frame, however the game was driven; empty when all is well.
std::string brokenInvariant(const GameState& s)
{
    if (s.gPopCount > s.gMojiTotal || s.gHitCount > s.gPopCount)
        return "counts " + std::to_string(s.gPopCount) + " / " + std::to_string(s.gHitCount);
    for (int i = 1; i <= kHoleCount; ++i) {
        const std::string hole = "hole " + std::to_string(i) + ": ";
        if (s.gHoleRect[i].top < s.gHoleTop[i] || s.gHoleRect[i].top > s.gHoleBottom[i])
            return hole + "top " + std::to_string(s.gHoleRect[i].top);
        if (s.gHoleUp[i] && s.gHoleDown[i])
            return hole + "rising and sinking";
        if (s.gHoleCaught[i] && (!s.gHoleDown[i] || !s.gHoleMoji[i].empty()))
            return hole + "caught but not sinking, or still carrying " + s.gHoleMoji[i];
    }
    return {};
}

// Whole programs on the virtual clock, driven at random: settings and help chosen from the menus at any
// moment, games started and stopped, a typist hitting lesson keys, others, Backspace and bare releases.
// Some programs start just before the tick counter passes 2^31 or 2^32. ZUNAKA_SOAK_PROGRAMS sets how
// many programs run (each plays a few games); the extended run takes a thousand games.
TEST(Soak, InvariantsHoldAfterEveryFrameOfManyRandomGames)
{
    const char* wanted = std::getenv("ZUNAKA_SOAK_PROGRAMS");
    const int programs = wanted ? std::atoi(wanted) : 20;
    const std::string keys = "asdfghjkl;:]qwertyuiop@[zxcvbnm,./1234567890A\b";
    long frames = 0;
    int games = 0;
    for (int program = 0; program < programs; ++program) {
        std::mt19937 random(static_cast<unsigned>(program));
        const auto chance = [&random](int outOf) { return std::uniform_int_distribution<int>(0, outOf - 1)(random) == 0; };
        const auto upTo = [&random](int n) { return std::uniform_int_distribution<int>(1, n)(random); };
        Harness h;
        h.providePictures();
        const Tick starts[] = {0, std::numeric_limits<Tick>::max() - 20'000, -20'000};
        const Tick start = starts[program % 3];
        h.p.now = start;
        const auto at = [start](int ms) { return static_cast<Tick>(static_cast<std::uint32_t>(start) + ms); };

        h.p.schedule(at(50), [&h] { titleMouseDown(h.s, h.p); });
        int t = 100;
        for (; t < 240'000; t += upTo(400)) {
            h.p.schedule(at(t), [&h, &random, &keys, &games, chance, upTo] {
                if (chance(150)) {
                    switch (upTo(6)) {
                    case 1: lessonCheckClick(h.s, h.p, upTo(6)); break;
                    case 2: speedCheckClick(h.s, h.p, upTo(3)); break;
                    case 3: mojiCountClick(h.s, h.p, upTo(3)); break;
                    case 4: bgmStopClick(h.s, h.p); break;
                    case 5: subHelpClick(h.s, h.p); command1Click(h.s, h.p); break;
                    default: stopClick(h.s, h.p); break;
                    }
                } else if (!h.s.gPlaying && chance(5)) {
                    startClick(h.s, h.p);
                    ++games;
                } else {
                    if (!chance(8)) {  // a press that types; otherwise a bare release (Shift, Ctrl)
                        text1KeyPress(h.s, h.p);
                        const char key = keys[std::uniform_int_distribution<std::size_t>(0, keys.size() - 1)(random)];
                        h.p.fakeForms.keyBoxTextValue = key == '\b' ? "" : std::string(1, key);
                    }
                    text1KeyUp(h.s, h.p);
                }
            });
        }
        h.p.schedule(at(t), [&h] { quitClick(h.s, h.p); });

        std::string broken;
        LoopOptions options;
        options.onFrame = [&] {
            ++frames;
            if (broken.empty())
                broken = brokenInvariant(h.s);
        };
        formLoad(h.s, h.p, options);
        ASSERT_EQ(broken, "") << "program " << program << " starting at tick " << start;
        ASSERT_TRUE(h.p.messages.empty()) << "program " << program;
    }
    std::printf("%d programs, %d games, %ld frames\n", programs, games, frames);
}

} // namespace
} // namespace zunaka
