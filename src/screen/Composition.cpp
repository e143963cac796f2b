#include "Composition.h"

#include "platform/Blit.h"
#include "platform/Platform.h"

namespace zunaka {

void clearScreen(GameState& s, Platform& p)
{
    bitBlt(s.AllPicture, {0, 0}, s.BackPicture, s.AllPicture.rect());
    refreshScreen(s, p);
}

void refreshScreen(GameState& s, Platform& p)
{
    const Forms& forms = p.forms();
    p.forms().blitToWindow(s.AllPicture, s.AllPicture.rect(),
                           QRect(0, 0, forms.mainScaleWidth(), forms.mainScaleHeight()));
}

void mainPicturePaint(GameState& s, Platform& p)
{
    refreshScreen(s, p);
}

} // namespace zunaka
