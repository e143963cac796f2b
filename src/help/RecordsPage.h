#pragma once

#include "GameState.h"

namespace zunaka {

class Platform;

// きろく: between games, reads the current player's records, hides the key box and shows the records
// page in place of the playfield, with its OK button and its own two; during a game it does nothing.
void subRecordsClick(GameState& s, Platform& p);

// Draws the records page from what it read when it opened, places its buttons and shows it. Called when
// it opens and when the client area changes size while it is up.
void drawRecordsPage(GameState& s, Platform& p);

// Puts the page's buttons (OK and its own two) where they belong at the client's present size.
void placeRecordsButtons(GameState& s, Platform& p);

// Takes the page's own buttons away and marks it closed; the OK button and the picture are the caller's.
// Called by OK and by the guide page opening in its place.
void hideRecordsPage(GameState& s, Platform& p);

// きろくをけす: asks once, then deletes the current player's games and shows the page again.
void eraseRecordsClick(GameState& s, Platform& p);

// The player's name: a dialog to choose another player or add one; the page then shows that player.
void playerClick(GameState& s, Platform& p);

} // namespace zunaka
