#pragma once

#include "GameState.h"
#include "shell/MainLoop.h"

namespace zunaka {

class Platform;

// The main window's load handler: refuses a second instance, shows the title, loads what the game needs,
// sets the defaults, then runs the main loop until the program shuts down. A failure while loading, or
// one that escapes a handler while the loop runs, ends the program with the picture loading message.
void formLoad(GameState& s, Platform& p, const LoopOptions& options = {});

} // namespace zunaka
