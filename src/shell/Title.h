#pragma once

#include "GameState.h"

namespace zunaka {

class Platform;

// The title window hands over to the main window on the eleventh tick of its one-second timer, on any
// mouse press, or when it is closed. Its handlers run only inside the main loop's event step.
void titleTimerTick(GameState& s, Platform& p);
void titleMouseDown(GameState& s, Platform& p);
void titleFormUnload(GameState& s, Platform& p);

} // namespace zunaka
