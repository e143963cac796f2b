#pragma once

#include "GameState.h"

#include <string>
#include <vector>

namespace zunaka {

class Platform;

// Judges the character in the key box against the moles: the first of holes 1 to 6 whose character it is,
// ignoring the case of letters, and whose mole shows more than two steps above its hole, is caught (it
// sinks with its caught picture from the next step, the hit sound plays, gHitCount goes up and the
// hole's character is emptied so it cannot be caught twice). Anything else plays the miss sound; an empty
// box never catches. Outside a game it does nothing at all. Called on every key release in the key box.
// Returns whether a mole was caught.
bool checkHit(GameState& s, Platform& p);

// The characters of the moles that could be caught now, holes 1 to 6: what a miss may have been meant for.
std::vector<std::string> mojiInHitWindow(const GameState& s);

} // namespace zunaka
