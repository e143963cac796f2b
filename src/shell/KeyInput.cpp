#include "KeyInput.h"

#include "holes/HitTest.h"
#include "platform/Platform.h"

namespace zunaka {

void text1KeyPress(GameState&, Platform& p)
{
    p.forms().setKeyBoxText("");
}

void text1KeyUp(GameState& s, Platform& p)
{
    checkHit(s, p);
}

} // namespace zunaka
