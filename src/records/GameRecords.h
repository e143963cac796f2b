#pragma once

#include "GameState.h"

namespace zunaka {

class Platform;

// A fresh record for the game starting now, with its settings and the wall clock's time. Called by
// スタート once the game is sure to start.
void beginRecord(GameState& s, Platform& p);

// Completes the record of the game in progress with its counts and time played and stores it: at the
// natural end (finished), at ストップ and when the program closes during a game. Does nothing between
// games, and stores no game in which no mole appeared.
void storeRecord(GameState& s, Platform& p, bool finished);

} // namespace zunaka
