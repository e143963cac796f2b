#include "View.h"

#include "help/HelpPage.h"
#include "help/RecordsPage.h"
#include "platform/Platform.h"
#include "screen/Composition.h"
#include "screen/WindowSize.h"

namespace zunaka {

namespace {

// The client area the game lays out in has a new size: the guide page is laid out again for it, and the
// window shows the whole buffer anew. A game started over the guide page keeps what its moles drew; only
// the OK button moves to its place for the new size. The records page likewise, with its own buttons.
void clientResized(GameState& s, Platform& p)
{
    if (s.helpPageOpen && !s.gPlaying) {
        drawHelpPage(s, p);
        return;
    }
    if (s.recordsPageOpen && !s.gPlaying) {
        drawRecordsPage(s, p);
        return;
    }
    if (s.helpPageOpen)
        placeOkButton(p);
    if (s.recordsPageOpen)
        placeRecordsButtons(s, p);
    refreshScreen(s, p);
}

} // namespace

void fullScreenClick(GameState& s, Platform& p)
{
    s.fullScreen = !s.fullScreen;
    Forms& forms = p.forms();
    forms.setFullScreen(s.fullScreen);
    forms.setMenuChecked(Menu::Screen, 1, s.fullScreen);
    clientResized(s, p);
}

void leaveFullScreen(GameState& s, Platform& p)
{
    if (s.fullScreen)
        fullScreenClick(s, p);
}

void mainFrameChanged(GameState& s, Platform& p)
{
    if (s.fullScreen)
        return;
    const Forms& forms = p.forms();
    const QSize before(forms.mainScaleWidth(), forms.mainScaleHeight());
    setWindowSize(p);
    if (QSize(forms.mainScaleWidth(), forms.mainScaleHeight()) != before)
        clientResized(s, p);
}

} // namespace zunaka
