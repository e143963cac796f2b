#pragma once

#include "GameState.h"

namespace zunaka {

// Prints the hole's character onto the scratch surface at (x, y), in the colour chosen at the mole's
// rise, in the large bold face. Called by the mole drawing for an uncaught mole, after the mole is
// composed and before it goes into the buffer, so the character moves with the mole.
void printMoji(GameState& s, int hole, int x, int y);

// The same character in the same face and place onto any surface, in `colour`.
void printMojiOn(QImage& target, const GameState& s, int hole, QRgb colour, int x, int y);

// The colour the hole's character is printed in.
QRgb mojiColour(const GameState& s, int hole);

} // namespace zunaka
