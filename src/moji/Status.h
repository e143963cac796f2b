#pragma once

#include "GameState.h"

namespace zunaka {

class Platform;

// The strip along the top of the playfield: moles that have appeared and moles caught, redrawn from the
// counts in every frame of a game. The wide form suits screens wider than 640 px, the narrow one the
// small window, where 80 rows of the canvas show as 73. The main loop picks one after moving the holes.
void printStatusWide(GameState& s, Platform& p);
void printStatusNarrow(GameState& s, Platform& p);

// Whether the window shows the strip of this form as a frame would print it now: the main loop sleeps
// through frames that would change nothing.
bool statusShown(const GameState& s, bool wide);

// Which form a screen of this width takes.
constexpr bool usesWideStatus(int screenWidth)
{
    return screenWidth > 640;
}

} // namespace zunaka
