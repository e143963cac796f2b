#pragma once

#include "GameState.h"

namespace zunaka {

class Platform;

// File menu "おわり" (Ctrl+Q): stores the record of a game in progress, ends the game and the loop, then
// unloads the main window, which raises the two unload handlers below.
void quitClick(GameState& s, Platform& p);

// The main window's query-unload and unload handlers, raised in this order by every way of closing it
// (menu, close box, window manager, session end). Each stores the record of a game still in progress,
// stops and closes the music and clears both flags; closing is never refused. The second stop and close find the device closed and do nothing.
void mainFormQueryUnload(GameState& s, Platform& p);
void mainFormUnload(GameState& s, Platform& p);

} // namespace zunaka
