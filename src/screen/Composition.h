#pragma once

#include "GameState.h"

namespace zunaka {

class Platform;

// Starts the picture over from the bare background, in the buffer and on the window. Called by the
// title's hand-over and by the stop command.
void clearScreen(GameState& s, Platform& p);

// Shows the whole buffer on the window, scaled to the client area. Called by the help page when it opens
// and closes, and by the repaint handler below. Never once per frame: a frame sends only what changed.
void refreshScreen(GameState& s, Platform& p);

// The visible surface's repaint handler, raised when the window is shown or uncovered anew.
void mainPicturePaint(GameState& s, Platform& p);

} // namespace zunaka
