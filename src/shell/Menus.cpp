#include "Menus.h"

#include "platform/Platform.h"
#include "screen/Music.h"

#include <span>

namespace zunaka {

namespace {

constexpr int kBgmItem = 1;

void choose(GameState& s, Platform& p, int index, int GameState::*setting, Menu menu, std::span<const int> values)
{
    const int items = static_cast<int>(values.size());
    if (s.gPlaying || index < 1 || index > items)
        return;
    s.*setting = values[static_cast<std::size_t>(index - 1)];
    for (int item = 1; item <= items; ++item)
        p.forms().setMenuChecked(menu, item, false);
    p.forms().setMenuChecked(menu, index, true);
}

} // namespace

void lessonCheckClick(GameState& s, Platform& p, int index)
{
    choose(s, p, index, &GameState::gLesson, Menu::Lesson, menuValues::kLesson);
}

void speedCheckClick(GameState& s, Platform& p, int index)
{
    choose(s, p, index, &GameState::gSpeed, Menu::Speed, menuValues::kSpeed);
}

void mojiCountClick(GameState& s, Platform& p, int index)
{
    choose(s, p, index, &GameState::gMojiTotal, Menu::MojiCount, menuValues::kMojiCount);
}

void bgmStopClick(GameState& s, Platform& p)
{
    if (!s.gBgmOff) {
        p.mciSendString(bgm::kStop);
        p.forms().setMenuChecked(Menu::Bgm, kBgmItem, true);
        s.gBgmOff = true;
        return;
    }
    if (s.gPlaying)
        p.mciSendString(bgm::kPlay);
    p.forms().setMenuChecked(Menu::Bgm, kBgmItem, false);
    s.gBgmOff = false;
}

} // namespace zunaka
