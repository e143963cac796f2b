#include "GuardedApplication.h"

#include "Failure.h"

namespace zunaka {

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    if (!platform_)
        return QApplication::notify(receiver, event);
    return runGuarded(*platform_, [&] { return QApplication::notify(receiver, event); });
}

} // namespace zunaka
