#include "HoleModel.h"

#include "platform/Platform.h"
#include "platform/RandomPick.h"

namespace zunaka {

namespace {

constexpr std::int32_t kSecond = 1000;
// At the fastest speed a risen mole starts sinking at the very next frame: a wait of 1 ms, which any
// frame interval (more than 30 ms) exceeds.
constexpr std::int32_t kFastestShowWait = 1;

} // namespace

void setDefaults(GameState& s)
{
    s.gLoopOn = true;
    s.gPlaying = false;
    s.gBgmOff = false;
    s.gSpeed = defaults::kSpeed;
    s.gLesson = defaults::kLesson;
    s.gStep = defaults::kStep;
    s.gMojiTotal = defaults::kMojiTotal;
    const auto holes = holeGeometry();
    for (int i = 1; i <= kHoleCount; ++i) {
        s.gHoleTop[i] = holes[i].top;
        s.gHoleBottom[i] = holes[i].bottom;
    }
}

void setHoleRects(GameState& s)
{
    const auto holes = holeGeometry();
    for (int i = 1; i <= kHoleCount; ++i) {
        const int left = holes[i].left;
        s.gHoleRect[i] = {left, s.gHoleBottom[i], left + kMoleWidth, s.gHoleBottom[i] + kMoleHeight};
    }
}

void resetHoles(GameState& s, Platform& p)
{
    for (int i = 1; i <= kHoleCount; ++i) {
        setHideWait(s, p, i);
        s.gHoleTick[i] = p.getTickCount();
        s.gHoleUp[i] = false;
        s.gHoleDown[i] = false;
    }
}

void setHideWait(GameState& s, Platform& p, int hole)
{
    s.gHoleWait[hole] = pick(p, 7, 1) * kSecond;
}

void setShowWait(GameState& s, Platform& p, int hole)
{
    switch (s.gSpeed) {
    case 1:
        s.gHoleWait[hole] = kFastestShowWait;
        break;
    case 2:
        s.gHoleWait[hole] = pick(p, 2, 2) * kSecond;
        break;
    default:
        s.gHoleWait[hole] = pick(p, 3, 4) * kSecond;
        break;
    }
}

} // namespace zunaka
