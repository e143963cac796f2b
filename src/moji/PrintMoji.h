#pragma once

#include "GameState.h"

namespace zunaka {

// Prints the hole's character onto its scratch surface at (x, y), in the colour chosen at the mole's
// rise, in the large bold face. Called by the mole drawing for an uncaught mole, after the mole is
// composed and before it goes into the buffer, so the character moves with the mole.
void printMoji(GameState& s, int hole, int x, int y);

} // namespace zunaka
