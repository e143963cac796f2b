#include "KeyInput.h"

#include "holes/HitTest.h"
#include "platform/Platform.h"

#include <utility>

namespace zunaka {

void text1KeyPress(GameState& s, Platform& p)
{
    p.forms().setKeyBoxText("");
    s.keyTypedSinceJudged = true;
}

void text1KeyUp(GameState& s, Platform& p)
{
    const bool typed = std::exchange(s.keyTypedSinceJudged, false);
    if (checkHit(s, p) || !typed || !s.gPlaying)
        return;
    // An empty box (Backspace) typed no character to miss with; the miss sound plays all the same.
    const std::string box = p.forms().keyBoxText();
    if (!box.empty())
        countMiss(s.record, box, mojiInHitWindow(s));
}

} // namespace zunaka
