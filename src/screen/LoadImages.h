#pragma once

#include "GameState.h"

#include <string>

namespace zunaka {

class Platform;

// The name of picture n (1..8) from a template whose two '?' stand for the number in two digits:
// "Zun??.jpg" gives "Zun01.jpg" .. "Zun08.jpg".
std::string pictureFileName(const std::string& nameTemplate, int n);

// Loads every picture of the game from the data folder: the background painted onto `BackPicture` at
// canvas size, the eight moles, their eight masks and the keyboard. The first file that cannot be loaded
// ends the program with the picture loading message, and nothing after it is loaded. Called once at
// start-up, after the title is painted and before the sounds.
void loadImages(GameState& s, Platform& p);

} // namespace zunaka
