#pragma once

#include "GameState.h"

namespace zunaka {

class Platform;

// The key box's two handlers, raised by the window for keys typed into it. A key that types a character
// (Backspace and Delete count, modifiers and cursor keys do not) empties the box just before the
// character goes in, in any state, so the box holds only the last character typed.
void text1KeyPress(GameState& s, Platform& p);

// Every key release is judged, once per physical release (an auto-repeat's releases are not raised), on
// what the box holds then rather than on the key released: under X a shifted character releases under
// its unshifted key, and a release can come without its press (the G of Ctrl+G). The game's record
// counts a miss only for the first judgement of a character a press put in the box: the sounds follow
// every judgement, the record follows the keys typed.
void text1KeyUp(GameState& s, Platform& p);

} // namespace zunaka
