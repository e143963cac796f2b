#pragma once

#include "GameState.h"

namespace zunaka {

class Platform;

// Fixed geometry of the six holes, in the 640 x 480 playfield.
struct HoleGeometry {
    int left;    // x of the mole's left edge
    int top;     // y of the mole's top when fully up
    int bottom;  // y of the mole's top when hidden: the hole's lower edge
};

constexpr PerHole<HoleGeometry> holeGeometry()
{
    PerHole<HoleGeometry> holes;
    holes[1] = {63, 112, 252};
    holes[2] = {270, 108, 228};
    holes[3] = {464, 132, 252};
    holes[4] = {63, 286, 406};
    holes[5] = {270, 289, 429};
    holes[6] = {464, 286, 406};
    return holes;
}

constexpr int kMoleWidth = 125;
constexpr int kMoleHeight = 145;

namespace defaults {
constexpr int kSpeed = 3;
constexpr int kLesson = 1;
constexpr int kMojiTotal = 30;
constexpr std::int32_t kStep = 20;
} // namespace defaults

// Start-up values of the flags and settings, and the hole heights. Called once while the program starts.
void setDefaults(GameState& s);

// Puts every mole at its hidden position. Called at start-up and at every game start.
void setHoleRects(GameState& s);

// Gives every hole a fresh random hide wait from now, with the rising and sinking flags cleared.
// Called at game start.
void resetHoles(GameState& s, Platform& p);

// How long a hidden mole stays hidden: 1 to 7 whole seconds, at every speed.
void setHideWait(GameState& s, Platform& p, int hole);

// How long a risen mole stays up, by speed: 1 ms at speed 1, 2-3 s at speed 2, 4-6 s at speed 3.
void setShowWait(GameState& s, Platform& p, int hole);

} // namespace zunaka
