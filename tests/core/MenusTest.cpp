#include "Harness.h"
#include "help/HelpPage.h"
#include "help/RecordsPage.h"
#include "shell/Game.h"
#include "shell/MainLoop.h"
#include "shell/Menus.h"
#include "shell/View.h"

#include <gtest/gtest.h>

#include <functional>

namespace zunaka {
namespace {

// "lesson speed moles music key-box | marks given | media commands sent"; a mark is '1' set, '0' cleared
// or '-' untouched, the five menus lesson, speed, count, music and screen apart by blanks.
std::string describe(const test::Harness& h)
{
    std::string out = std::to_string(h.s.gLesson) + ' ' + std::to_string(h.s.gSpeed) + ' ' +
                      std::to_string(h.s.gMojiTotal) + (h.s.gBgmOff ? " off" : " on") +
                      (h.p.fakeForms.keyBoxVisible ? " box |" : " |");
    for (auto [menu, items] : {std::pair{Menu::Lesson, 7}, {Menu::Speed, 3}, {Menu::MojiCount, 3}, {Menu::Bgm, 1}, {Menu::Screen, 1}}) {
        out += ' ';
        for (int i = 1; i <= items; ++i) {
            const auto mark = h.p.fakeForms.menuMarks.find({menu, i});
            out += mark == h.p.fakeForms.menuMarks.end() ? '-' : mark->second ? '1' : '0';
        }
    }
    out += " |";
    for (const std::string& command : h.p.mediaCommands)
        out += ' ' + command.substr(0, 4);
    return out;
}

TEST(Menus, WhatEachChoiceDoesBetweenAndDuringGames)
{
    using Click = std::function<void(GameState&, Platform&)>;
    const auto item = [](void (*click)(GameState&, Platform&, int), int i) {
        return Click([click, i](GameState& s, Platform& p) { click(s, p, i); });
    };
    const std::tuple<bool, bool, Click, std::string> rows[] = {
        {false, false, item(lessonCheckClick, 7), "7 3 30 on box | 0000001 --- --- - - |"},
        {false, false, item(lessonCheckClick, 1), "1 3 30 on box | 1000000 --- --- - - |"},
        {true, false, item(lessonCheckClick, 7), "1 3 30 on box | ------- --- --- - - |"},
        {false, false, item(lessonCheckClick, 8), "1 3 30 on box | ------- --- --- - - |"},
        {false, false, item(speedCheckClick, 1), "1 1 30 on box | ------- 100 --- - - |"},
        {true, false, item(speedCheckClick, 2), "1 3 30 on box | ------- --- --- - - |"},
        {false, false, item(mojiCountClick, 3), "1 3 70 on box | ------- --- 001 - - |"},
        {true, false, item(mojiCountClick, 2), "1 3 30 on box | ------- --- --- - - |"},
        {false, false, bgmStopClick, "1 3 30 off box | ------- --- --- 1 - | stop"},
        {true, false, bgmStopClick, "1 3 30 off box | ------- --- --- 1 - | stop"},
        {false, true, bgmStopClick, "1 3 30 on box | ------- --- --- 0 - |"},
        {true, true, bgmStopClick, "1 3 30 on box | ------- --- --- 0 - | play"},
        {false, false, subHelpClick, "1 3 30 on | ------- --- --- - - |"},
        {true, false, subHelpClick, "1 3 30 on box | ------- --- --- - - |"},
        {false, false, subRecordsClick, "1 3 30 on | ------- --- --- - - |"},
        {true, false, subRecordsClick, "1 3 30 on box | ------- --- --- - - |"},
        {false, false, fullScreenClick, "1 3 30 on box | ------- --- --- - 1 |"},
        {true, false, fullScreenClick, "1 3 30 on box | ------- --- --- - 1 |"},
        {true, false, leaveFullScreen, "1 3 30 on box | ------- --- --- - - |"},
    };
    for (const auto& [game, musicOff, click, expected] : rows) {
        test::Harness h;
        h.setUp();
        h.s.gPlaying = game;
        h.s.gBgmOff = musicOff;
        h.s.gBgmTick = 1234;
        h.p.fakeForms.keyBoxVisible = true;
        click(h.s, h.p);
        EXPECT_EQ(describe(h), expected) << (game ? "during a game" : "between games");
        EXPECT_EQ(h.s.gBgmTick, 1234) << expected << ": the restart period keeps counting";
    }
}

// The music restarts from the top at the first pass after each 67 s; switched off at 100 s it stays off
// through the restart due at 134 s; switched on at 150 s it plays at once, and the upkeep restarts it at
// once too, its period having run out while it was off.
TEST(Menus, TheMusicRestartsEachPeriodAndStaysOffWhileSwitchedOff)
{
    test::Harness h;
    h.setUp();
    h.p.mciSendString("open \"/m.mid\" type sequencer alias gBGMfile");
    h.s.gMojiTotal = 1000;  // a game that outlasts the test
    startClick(h.s, h.p);
    for (Tick at : {100'000, 150'000})
        h.p.schedule(at, [&h] { bgmStopClick(h.s, h.p); });
    h.p.schedule(180'000, [&h] { h.s.gLoopOn = false; });
    mainLoop(h.s, h.p);
    std::vector<std::pair<std::string, Tick>> sent;  // after the open, before the shutdown's stop and close
    for (std::size_t i = 1; i < h.p.mediaCommands.size() && h.p.mediaTicks[i] < 180'000; ++i)
        sent.emplace_back(h.p.mediaCommands[i].substr(0, 4), h.p.mediaTicks[i]);
    EXPECT_EQ(sent, (std::vector<std::pair<std::string, Tick>>{{"play", 0}, {"stop", 67'001}, {"play", 67'001},
                                                               {"stop", 100'000}, {"play", 150'000},
                                                               {"stop", 150'000}, {"play", 150'000}}));
}

} // namespace
} // namespace zunaka
