#include "MainLoop.h"

#include "Game.h"
#include "holes/HoleMotion.h"
#include "moji/Status.h"
#include "platform/Platform.h"
#include "screen/Canvas.h"
#include "screen/Music.h"

#include <algorithm>

namespace zunaka {

namespace {

// Frames fall on a grid while nothing makes them late: each one on the first tick after kFrameMs.
constexpr std::int32_t kFrameGridMs = kFrameMs + 1;

// A canvas-sized client area takes the wide strip whatever the screen: a full-screen window on a narrow
// screen shows the canvas as a full-size screen's window does.
bool wideStatus(Platform& p)
{
    return usesWideStatus(p.screen().width) || showsCanvasOneToOne(p.forms());
}

// How many grid steps after gFrameTick the first frame comes that changes anything: one while a mole
// moves or the strip is out of date; else the first at which a hole's wait has run out. A hidden hole
// with no mole left to raise never changes again. Nothing to wait for at all: one, as always.
std::int32_t framesUntilWork(const GameState& s, Platform& p)
{
    if (!statusShown(s, wideStatus(p)))
        return 1;
    std::int32_t frames = 0;
    for (int hole = 1; hole <= kHoleCount; ++hole) {
        if (s.gHoleUp[hole] || s.gHoleDown[hole])
            return 1;
        if (s.gHoleRect[hole].top >= s.gHoleBottom[hole] && s.gPopCount >= s.gMojiTotal)
            continue;
        const std::int32_t toRunOut = s.gHoleWait[hole] + 1 - elapsed(s.gFrameTick, s.gHoleTick[hole]);
        const std::int32_t steps = std::max(1, (toRunOut + kFrameGridMs - 1) / kFrameGridMs);
        frames = frames == 0 ? steps : std::min(frames, steps);
    }
    return frames == 0 ? 1 : frames;
}

// After a wait: the grid frames that fell before its end, up to `empty` of them (those the state before
// the wait left nothing to do), count as run, and the grid goes on from them as if the loop had woken
// for each. The events that ended the wait were handled in it, after those frames were due; a frame at
// the very tick the wait ended is the next pass's, and sees them.
void passEmptyFrames(GameState& s, Platform& p, std::int32_t empty)
{
    const std::int32_t passed = std::max(0, elapsed(p.getTickCount(), s.gFrameTick) - 1) / kFrameGridMs;
    if (const std::int32_t frames = std::min(passed, empty); s.gPlaying && frames > 0)
        s.gFrameTick = ticksAfter(s.gFrameTick, frames * kFrameGridMs);
}

void runFrame(GameState& s, Platform& p, const LoopOptions& options)
{
    moveHoles(s, p);
    if (wideStatus(p))
        printStatusWide(s, p);
    else
        printStatusNarrow(s, p);
    s.gFrameTick = p.getTickCount();
    if (options.onFrame)
        options.onFrame();
}

// Time until `period` has run out since `since`: the first tick strictly after it.
std::int32_t untilRunOut(Tick now, Tick since, std::int32_t period)
{
    return std::max<std::int32_t>(0, period + 1 - elapsed(now, since));
}

} // namespace

void runPass(GameState& s, Platform& p, const LoopOptions& options)
{
    p.doEvents();
    if (!s.gPlaying)
        return;
    p.forms().focusKeyBox();
    if (hasRunOut(p.getTickCount(), s.gFrameTick, kFrameMs))
        runFrame(s, p, options);
    if (!s.gBgmOff)
        repeatMusic(s, p);
    if (s.gPopCount >= s.gMojiTotal)
        finishGame(s, p);
}

std::int32_t idleWaitMs(const GameState& s, Platform& p)
{
    if (!s.gPlaying)
        return -1;
    const Tick now = p.getTickCount();
    std::int32_t wait = untilRunOut(now, s.gFrameTick, framesUntilWork(s, p) * kFrameGridMs - 1);
    if (!s.gBgmOff)
        wait = std::min(wait, untilRunOut(now, s.gBgmTick, kMusicPeriodMs));
    return wait;
}

void mainLoop(GameState& s, Platform& p, const LoopOptions& options)
{
    do {
        runPass(s, p, options);
        if (s.gLoopOn && !options.busyPoll) {
            const std::int32_t empty = s.gPlaying ? framesUntilWork(s, p) - 1 : 0;
            p.waitForEvents(idleWaitMs(s, p));
            passEmptyFrames(s, p, empty);
        }
    } while (s.gLoopOn);
    p.forms().unloadMainForm();
}

} // namespace zunaka
