#pragma once

#include "GameState.h"

namespace zunaka {

class Platform;

// つかいかた: between games, hides the key box and shows the keyboard guide in place of the playfield;
// during a game it does nothing, so the key box and the moles are left alone.
void subHelpClick(GameState& s, Platform& p);

} // namespace zunaka
