#pragma once

#include "GameState.h"

namespace zunaka {

class Platform;

// がめん > ぜんがめん (F11), in any state: full screen on or off. Neither touches the game: a running game
// goes on, and what was on the window is shown again at the new size.
void fullScreenClick(GameState& s, Platform& p);
// Esc, while the window is full screen: back to the window.
void leaveFullScreen(GameState& s, Platform& p);

// Raised by the windows when a window manager's frame around them turned up or changed, or the screen's
// work area did: the window shrinks where it would no longer fit inside the work area, and grows back
// where it fits again. A full-screen window keeps its size; its windowed size is fitted when it comes back.
void mainFrameChanged(GameState& s, Platform& p);

} // namespace zunaka
