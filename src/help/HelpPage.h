#pragma once

#include "GameState.h"

namespace zunaka {

class Platform;

// つかいかた: between games, hides the key box and shows the keyboard guide in place of the playfield;
// during a game it does nothing, so the key box and the moles are left alone.
void subHelpClick(GameState& s, Platform& p);

// Draws the keyboard guide into the buffer in place of the playfield, laid out for the window's client
// size, shows it and puts up its OK button. Called by the help menu's item, only between games; called
// again while the guide is up, it draws it anew.
void drawHelpPage(GameState& s, Platform& p);

// Puts the OK button in the lower right corner of the client area at its present size.
void placeOkButton(Platform& p);

// The OK button's click: the guide or the records page gives way to the bare background. It does not ask whether a game
// runs, so a game started while the guide was up loses its playfield to the background as well.
void command1Click(GameState& s, Platform& p);

} // namespace zunaka
