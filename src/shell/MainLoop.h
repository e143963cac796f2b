#pragma once

#include "GameState.h"

#include <functional>

namespace zunaka {

class Platform;

// A frame runs on the first pass more than this many ms after the end of the previous frame.
constexpr std::int32_t kFrameMs = 30;

struct LoopOptions {
    // Poll without ever waiting, as a loop without timers would; only the benchmark compares it.
    bool busyPoll = false;
    // Called after each frame; the benchmark measures the frame period with it.
    std::function<void()> onFrame;
};

// One pass: dispatch pending events, then, during a game, focus the key box, run a frame when one is due,
// keep the music going and test for the end of the game.
void runPass(GameState& s, Platform& p, const LoopOptions& options = {});

// How long the loop may wait for events before the game has work again: until the next frame that
// changes anything (or the music's restart) during a game, without limit (-1) otherwise.
std::int32_t idleWaitMs(const GameState& s, Platform& p);

// The program's one loop: passes until gLoopOn is cleared, waiting between passes instead of spinning;
// then unloads the main window. Entered at the end of start-up.
void mainLoop(GameState& s, Platform& p, const LoopOptions& options = {});

} // namespace zunaka
