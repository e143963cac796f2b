#include "HoleMotion.h"

#include "DrawMole.h"
#include "HoleModel.h"
#include "moji/MojiTable.h"
#include "platform/Platform.h"

namespace zunaka {

namespace {

// Stage 2 of a step: a hole whose wait has run out while it neither rises nor sinks either starts a
// rise (hidden, and moles remain in this game) or starts its sink (up).
void leaveWait(GameState& s, Platform& p, int hole)
{
    if (s.gHoleUp[hole] || s.gHoleDown[hole])
        return;
    if (!hasRunOut(p.getTickCount(), s.gHoleTick[hole], s.gHoleWait[hole]))
        return;
    std::int32_t& top = s.gHoleRect[hole].top;
    if (top >= s.gHoleBottom[hole] && s.gPopCount < s.gMojiTotal) {
        s.gHoleUp[hole] = true;
        ++s.gPopCount;
        // Chosen before the mole is first drawn, later in this same step.
        selectMoji(s, p, hole);
        selectMojiColor(s, p, hole);
        countAppearance(s.record, s.gHoleMoji[hole]);
    }
    if (s.gHoleTop[hole] >= top)
        s.gHoleDown[hole] = true;
}

void rise(GameState& s, Platform& p, int hole)
{
    std::int32_t& top = s.gHoleRect[hole].top;
    if (s.gHoleTop[hole] < top) {
        top -= s.gStep;
        return;
    }
    s.gHoleUp[hole] = false;
    setShowWait(s, p, hole);
    s.gHoleTick[hole] = p.getTickCount();
}

void sink(GameState& s, Platform& p, int hole)
{
    std::int32_t& top = s.gHoleRect[hole].top;
    if (top < s.gHoleBottom[hole]) {
        top += s.gStep;
        return;
    }
    s.gHoleDown[hole] = false;
    s.gHoleCaught[hole] = false;
    setHideWait(s, p, hole);
    s.gHoleTick[hole] = p.getTickCount();
}

} // namespace

std::optional<int> moveHole(GameState& s, Platform& p, int hole)
{
    leaveWait(s, p, hole);
    if (s.gHoleUp[hole])
        rise(s, p, hole);
    if (s.gHoleDown[hole])
        sink(s, p, hole);
    if (!s.gHoleUp[hole] && !s.gHoleDown[hole])
        return std::nullopt;
    const int visible = s.gHoleBottom[hole] - s.gHoleRect[hole].top;
    const HoleLook look = holeLooks()[hole];
    drawMole(s, p, hole, look.picture, visible, look.textX, look.textY);
    return visible;
}

void moveHoles(GameState& s, Platform& p)
{
    for (int hole = 1; hole <= kHoleCount; ++hole)
        moveHole(s, p, hole);
}

} // namespace zunaka
