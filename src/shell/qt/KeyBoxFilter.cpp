#include "KeyBoxFilter.h"

#include "shell/KeyInput.h"

#include <QKeyEvent>

namespace zunaka {

KeyBoxFilter::KeyBoxFilter(GameState& state, Platform& platform, QObject* parent)
    : QObject(parent), state_(state), platform_(platform)
{
}

bool KeyBoxFilter::eventFilter(QObject*, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        // Only keys that type a character (control characters such as Backspace and Delete included);
        // modifiers and cursor keys leave the box as it is.
        if (!static_cast<QKeyEvent*>(event)->text().isEmpty())
            text1KeyPress(state_, platform_);
    } else if (event->type() == QEvent::KeyRelease) {
        // A held key repeats as press and release pairs marked auto-repeat; only the real release counts,
        // so holding a key is judged once.
        if (!static_cast<QKeyEvent*>(event)->isAutoRepeat())
            text1KeyUp(state_, platform_);
    }
    return false;
}

} // namespace zunaka
