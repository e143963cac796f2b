#include "Title.h"

#include "platform/Platform.h"
#include "screen/Composition.h"

namespace zunaka {

namespace {

constexpr int kTitleTicks = 10;  // the title goes on the tick after this many

// The main window appears with the bare playfield.
void handOver(GameState& s, Platform& p)
{
    p.forms().showMainForm();
    clearScreen(s, p);
}

} // namespace

void titleTimerTick(GameState& s, Platform& p)
{
    ++s.titleTicks;
    if (s.titleTicks <= kTitleTicks)
        return;
    p.forms().setTitleTimerEnabled(false);
    s.titleTicks = 0;
    handOver(s, p);
    p.forms().unloadTitleForm();
}

void titleMouseDown(GameState& s, Platform& p)
{
    handOver(s, p);
    p.forms().setTitleTimerEnabled(false);
    p.forms().unloadTitleForm();
}

void titleFormUnload(GameState& s, Platform& p)
{
    handOver(s, p);
    p.forms().unloadTitleForm();
}

} // namespace zunaka
