#pragma once

#include "GameState.h"
#include "moji/MojiTable.h"

#include <array>

namespace zunaka {

class Platform;

// What the items of the three choice menus stand for, item 1 first. The main window builds one item per
// value, with its caption.
namespace menuValues {
inline constexpr std::array<int, kWeakKeysLesson> kLesson{1, 2, 3, 4, 5, 6, kWeakKeysLesson};
inline constexpr std::array<int, 3> kSpeed{1, 2, 3};  // はやい, ややはやい, おそい
inline constexpr std::array<int, 3> kMojiCount{30, 50, 70};
} // namespace menuValues

// The choice menus レッスン, スピード and 文字数: between games, store the chosen item's value and move
// the check mark to it; during a game, change nothing, so every mole of a game draws from one lesson and
// the game ends on the count it started with. An index outside the menu does nothing.
void lessonCheckClick(GameState& s, Platform& p, int index);
void speedCheckClick(GameState& s, Platform& p, int index);
void mojiCountClick(GameState& s, Platform& p, int index);

// BGM停止 switches the music off or on, in any state. Off stops it at once; on plays it from the top only
// during a game (otherwise the next game starts it). The restart period keeps counting from the game's
// start or its last restart, so the upkeep may restart the piece soon after it is switched back on.
void bgmStopClick(GameState& s, Platform& p);

} // namespace zunaka
