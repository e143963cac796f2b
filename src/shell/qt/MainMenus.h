#pragma once

#include "platform/Forms.h"

#include <QAction>

#include <functional>
#include <map>
#include <vector>

class QMenuBar;

namespace zunaka {

struct GameState;
class Platform;

// The main window's menu tree, wired to the game's handlers. The handlers alone set check marks (through
// Forms::setMenuChecked), so a choice refused during a game leaves the old mark in place.
class MainMenus {
public:
    MainMenus(QMenuBar& bar, GameState& state, Platform& platform);

    // Item `index` (from 1) of a menu with check marks.
    QAction* item(Menu menu, int index) const;
    // Esc's way out of full screen: in no menu, enabled only while the window is full screen, so that
    // otherwise Esc reaches the key box as before.
    QAction* leaveFullScreen() const { return leaveFullScreen_; }

private:
    QAction* addCheckable(QMenu& menu, Menu which, const QString& caption, std::function<void()> handler);

    std::map<Menu, std::vector<QAction*>> items_;
    QAction* leaveFullScreen_ = nullptr;
};

} // namespace zunaka
