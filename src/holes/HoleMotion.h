#pragma once

#include "GameState.h"

#include <optional>

namespace zunaka {

class Platform;

// What each hole shows: the mole's look (1..4; its caught look is look + 4) and where its character is
// printed on the mole picture. Holes 5 and 6 reuse the looks of holes 1 and 2.
struct HoleLook {
    int picture;
    int textX;
    int textY;
};

constexpr PerHole<HoleLook> holeLooks()
{
    PerHole<HoleLook> looks;
    looks[1] = {1, 10, 60};
    looks[2] = {2, 40, 30};
    looks[3] = {3, 15, 45};
    looks[4] = {4, 45, 30};
    looks[5] = {1, 10, 60};
    looks[6] = {2, 40, 35};
    return looks;
}

// One animation step of one hole: leave an expired wait (start a rise while moles remain, or start the
// sink of a risen mole), move a rising or sinking mole by gStep, end a rise or sink that has arrived, and
// draw the mole if it is moving. Returns the visible height drawn, or nothing when the mole was not drawn
// (hidden, up, or the step that ended a rise or sink).
std::optional<int> moveHole(GameState& s, Platform& p, int hole);

// The frame's motion: holes 1 to 6 in this order, so that when one rise is left and several holes are
// ready, the lowest-numbered one gets it. Called by the main loop once per frame during a game.
void moveHoles(GameState& s, Platform& p);

} // namespace zunaka
