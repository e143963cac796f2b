#pragma once

#include "GameState.h"

namespace zunaka {

class Platform;

// File menu "スタート" (Ctrl+G): starts a game unless one is running. Draws nothing; the first frame,
// more than 30 ms later, does.
void startClick(GameState& s, Platform& p);

// File menu "ストップ" (Ctrl+S): stores the record of a game in progress, clears the playfield, ends the
// game, hides the key box and stops the music, in any state.
void stopClick(GameState& s, Platform& p);

// The natural end: once every mole is back in its hole, stops the music, stores the game's record and
// ends the game, leaving the last frame with the final counts on screen. Called by the main loop on every
// pass of a game once the last mole has begun to rise.
void finishGame(GameState& s, Platform& p);

} // namespace zunaka
