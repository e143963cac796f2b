#include "Failure.h"

#include "platform/Platform.h"

namespace zunaka {

void endWithMessage(Platform& p, const char* message)
{
    p.forms().setTitleTimerEnabled(false);
    p.msgBox(message);
    p.end();
}

} // namespace zunaka
