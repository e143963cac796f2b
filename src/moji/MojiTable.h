#pragma once

#include "GameState.h"

namespace zunaka {

class Platform;

// Lessons 1..6: middle row, upper row, lower row, digits, all three letter rows, everything.
constexpr int kLessonCount = 6;
// Lesson 7, にがてなキー: the keys the player's records show as weak, weighted (records/WeakKeys.h).
constexpr int kWeakKeysLesson = kLessonCount + 1;

// Fills gMojiTable with the keys of a Japanese (JIS) keyboard, row by row: the middle letter row, the
// upper, the lower, then the digits, one character an entry. Letters are upper case; the hit test folds
// case on both sides. Called once at start-up, after the holes are set, before any game can start.
void makeMojiTable(GameState& s);

// Gives the mole of `hole` a character from the current lesson's range of the table, or by the weights
// of にがてなキー (or as the lesson it falls back to), with one draw.
// The hole's motion calls it in the step that starts a rise, before selectMojiColor.
void selectMoji(GameState& s, Platform& p, int hole);

// Gives the mole's character a colour: red, green and blue drawn in this order, each 1..200, so that
// no character is printed too light to read on the mole.
void selectMojiColor(GameState& s, Platform& p, int hole);

} // namespace zunaka
