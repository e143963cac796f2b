#include "Harness.h"
#include "help/Help.h"
#include "shell/Game.h"
#include "shell/MainLoop.h"
#include "shell/Menus.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace zunaka {
namespace {

using test::Harness;
using Commands = std::vector<std::string>;

struct Settings {
    int lesson, speed, total;
    bool bgmOff;
    bool operator==(const Settings&) const = default;
};

Settings settings(const GameState& s)
{
    return {s.gLesson, s.gSpeed, s.gMojiTotal, s.gBgmOff};
}

// The marks a menu's items were given, item 1 first: '1' set, '0' cleared, '-' untouched.
std::string marks(const FakeForms& forms, Menu menu, int items)
{
    std::string out;
    for (int i = 1; i <= items; ++i) {
        const auto found = forms.menuMarks.find({menu, i});
        out += found == forms.menuMarks.end() ? '-' : found->second ? '1' : '0';
    }
    return out;
}

TEST(Menus, ChoicesAndTheMusicSwitchBetweenAndDuringGames)
{
    using Click = std::function<void(GameState&, Platform&)>;
    struct Row {
        const char* what;
        bool game;
        bool musicOff;
        Click click;
        Settings after;
        std::string lessonSpeedCountBgm;  // marks of the four menus, separated by blanks
        Commands sent;
    };
    const Settings start{1, 3, 30, false};
    const auto lesson = [](int i) { return [i](GameState& s, Platform& p) { lessonCheckClick(s, p, i); }; };
    const auto speed = [](int i) { return [i](GameState& s, Platform& p) { speedCheckClick(s, p, i); }; };
    const auto count = [](int i) { return [i](GameState& s, Platform& p) { mojiCountClick(s, p, i); }; };
    const Row rows[] = {
        {"lesson 6 between games", false, false, lesson(6), {6, 3, 30, false}, "000001 --- --- -", {}},
        {"lesson 1, already chosen", false, false, lesson(1), start, "100000 --- --- -", {}},
        {"lesson 2 during a game", true, false, lesson(2), start, "------ --- --- -", {}},
        {"lesson 7, no such item", false, false, lesson(7), start, "------ --- --- -", {}},
        {"lesson 0, no such item", false, false, lesson(0), start, "------ --- --- -", {}},
        {"speed 1 between games", false, false, speed(1), {1, 1, 30, false}, "------ 100 --- -", {}},
        {"speed 2 during a game", true, false, speed(2), start, "------ --- --- -", {}},
        {"count 70 between games", false, false, count(3), {1, 3, 70, false}, "------ --- 001 -", {}},
        {"count 50 during a game", true, false, count(2), start, "------ --- --- -", {}},
        {"music off between games", false, false, bgmStopClick, {1, 3, 30, true}, "------ --- --- 1",
         {"stop gBGMfile "}},
        {"music off during a game", true, false, bgmStopClick, {1, 3, 30, true}, "------ --- --- 1",
         {"stop gBGMfile "}},
        {"music on between games", false, true, bgmStopClick, start, "------ --- --- 0", {}},
        {"music on during a game", true, true, bgmStopClick, start, "------ --- --- 0",
         {"play gBGMfile from 0 "}},
    };
    for (const Row& row : rows) {
        Harness h;
        h.setUp();
        h.s.gPlaying = row.game;
        h.s.gBgmOff = row.musicOff;
        h.s.gBgmTick = 1234;
        row.click(h.s, h.p);

        const FakeForms& forms = h.p.fakeForms;
        const std::string marked = marks(forms, Menu::Lesson, 6) + ' ' + marks(forms, Menu::Speed, 3) + ' ' +
                                   marks(forms, Menu::MojiCount, 3) + ' ' + marks(forms, Menu::Bgm, 1);
        EXPECT_TRUE(settings(h.s) == row.after) << row.what;
        EXPECT_EQ(marked, row.lessonSpeedCountBgm) << row.what;
        EXPECT_EQ(h.p.mediaCommands, row.sent) << row.what;
        EXPECT_EQ(h.s.gPlaying, row.game) << row.what;
        EXPECT_EQ(h.s.gBgmTick, 1234) << row.what << ": the restart period keeps counting";
    }
}

TEST(Menus, TheGuideOpensOnlyBetweenGames)
{
    for (bool game : {false, true}) {
        Harness h;
        h.setUp();
        h.s.gPlaying = game;
        h.p.fakeForms.keyBoxVisible = true;
        subHelpClick(h.s, h.p);
        EXPECT_EQ(h.p.fakeForms.keyBoxVisible, game) << (game ? "during a game" : "between games");
    }
}

// The music switched off during a game stays off while the game goes on past its 67 s restarts, and comes
// back at once, from the top, when switched on again; the upkeep then restarts it as soon as 67 s have
// passed since the game's start.
TEST(Menus, MusicSwitchedOffStaysOffThroughTheRestartPeriod)
{
    Harness h;
    h.setUp();
    h.p.mciSendString("open \"/m.mid\" type sequencer alias gBGMfile");
    h.s.gMojiTotal = 1000;  // a game that outlasts the test
    startClick(h.s, h.p);
    h.p.schedule(10'000, [&h] { bgmStopClick(h.s, h.p); });
    h.p.schedule(150'000, [&h] { bgmStopClick(h.s, h.p); });
    h.p.schedule(180'000, [&h] { h.s.gLoopOn = false; });
    mainLoop(h.s, h.p);

    // Everything after the open and before the shutdown's stop and close.
    std::vector<std::pair<std::string, Tick>> sent;
    for (std::size_t i = 1; i < h.p.mediaCommands.size() && h.p.mediaTicks[i] < 180'000; ++i)
        sent.emplace_back(h.p.mediaCommands[i], h.p.mediaTicks[i]);
    const std::vector<std::pair<std::string, Tick>> expected{
        {"play gBGMfile from 0 ", 0},       {"stop gBGMfile ", 10'000},        {"play gBGMfile from 0 ", 150'000},
        {"stop gBGMfile ", 150'000},        {"play gBGMfile from 0 ", 150'000},
    };
    ASSERT_EQ(sent.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(sent[i], expected[i]) << "command " << i;
}

} // namespace
} // namespace zunaka
