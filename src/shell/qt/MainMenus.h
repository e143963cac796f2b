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

private:
    QAction* addCheckable(QMenu& menu, Menu which, const QString& caption, std::function<void()> handler);

    std::map<Menu, std::vector<QAction*>> items_;
};

} // namespace zunaka
