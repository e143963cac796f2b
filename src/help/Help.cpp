#include "Help.h"

#include "platform/Platform.h"

namespace zunaka {

void subHelpClick(GameState& s, Platform& p)
{
    if (s.gPlaying)
        return;
    p.forms().setKeyBoxVisible(false);
    // The keyboard guide page is drawn here by the help page drawing, once it exists.
}

} // namespace zunaka
