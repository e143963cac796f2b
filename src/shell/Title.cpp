#include "Title.h"

#include "platform/Platform.h"

namespace zunaka {

namespace {

constexpr int kTitleTicks = 10;  // the title goes on the tick after this many

void handOver(Platform& p)
{
    p.forms().showMainForm();
}

} // namespace

void titleTimerTick(GameState& s, Platform& p)
{
    ++s.titleTicks;
    if (s.titleTicks <= kTitleTicks)
        return;
    p.forms().setTitleTimerEnabled(false);
    s.titleTicks = 0;
    handOver(p);
    p.forms().unloadTitleForm();
}

void titleMouseDown(GameState&, Platform& p)
{
    handOver(p);
    p.forms().setTitleTimerEnabled(false);
    p.forms().unloadTitleForm();
}

void titleFormUnload(GameState&, Platform& p)
{
    handOver(p);
    p.forms().unloadTitleForm();
}

} // namespace zunaka
