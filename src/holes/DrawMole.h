#pragma once

#include "GameState.h"

namespace zunaka {

class Platform;

// Draws the mole of `hole` where its motion has just put it, showing its top `visible` rows above the
// hole's lower edge: erases the previous step's picture, composes the mole over the background behind
// its mask (with its character while uncaught, in its caught look once caught), puts it into the buffer
// and sends the change to the window. Called by the hole's motion step in every step in which the mole
// rises or sinks.
void drawMole(GameState& s, Platform& p, int hole, int picture, int visible, int textX, int textY);

} // namespace zunaka
