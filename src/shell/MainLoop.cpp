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

void runFrame(GameState& s, Platform& p, const LoopOptions& options)
{
    moveHoles(s, p);
    // A canvas-sized client area takes the wide strip whatever the screen: a full-screen window on a
    // narrow screen shows the canvas as a full-size screen's window does.
    if (usesWideStatus(p.screen().width) || showsCanvasOneToOne(p.forms()))
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

std::int32_t idleWaitMs(const GameState& s, Tick now)
{
    if (!s.gPlaying)
        return -1;
    std::int32_t wait = untilRunOut(now, s.gFrameTick, kFrameMs);
    if (!s.gBgmOff)
        wait = std::min(wait, untilRunOut(now, s.gBgmTick, kMusicPeriodMs));
    return wait;
}

void mainLoop(GameState& s, Platform& p, const LoopOptions& options)
{
    do {
        runPass(s, p, options);
        if (s.gLoopOn && !options.busyPoll)
            p.waitForEvents(idleWaitMs(s, p.getTickCount()));
    } while (s.gLoopOn);
    p.forms().unloadMainForm();
}

} // namespace zunaka
