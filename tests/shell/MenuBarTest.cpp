#include "Windows.h"
#include "shell/Game.h"

#include <QMenu>
#include <QMenuBar>

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace zunaka {
namespace {

using test::Windows;
using Captions = std::set<std::string>;

std::vector<QAction*> menuItems(MainForm& form)
{
    std::vector<QAction*> items;
    for (QAction* top : form.menuBar()->actions()) {
        for (QAction* item : top->menu()->actions())
            items.push_back(item);
    }
    return items;
}

QAction* item(MainForm& form, const char* caption)
{
    for (QAction* action : menuItems(form)) {
        if (action->text() == QString::fromUtf8(caption))
            return action;
    }
    ADD_FAILURE() << "no menu item " << caption;
    return nullptr;
}

Captions checked(MainForm& form)
{
    Captions out;
    for (QAction* action : menuItems(form)) {
        if (action->isChecked())
            out.insert(action->text().toStdString());
    }
    return out;
}

TEST(MenuBar, StartsWithTheDefaultsMarked)
{
    Windows w;
    EXPECT_EQ(checked(w.forms.mainForm()), (Captions{"レッスン１", "おそい", "３０"}));
}

// Items chosen one after another, as a player would, each row from a fresh start.
TEST(MenuBar, OnlyTheHandlersMoveTheMarks)
{
    struct Row {
        const char* what;
        bool game;
        std::vector<const char*> chosen;
        Captions marks;
        int lesson;
    };
    const Row rows[] = {
        {"a lesson between games", false, {"レッスン２"}, {"レッスン２", "おそい", "３０"}, 2},
        {"a lesson during a game", true, {"レッスン２"}, {"レッスン１", "おそい", "３０"}, 1},
        {"speed and count during a game", true, {"はやい", "７０"}, {"レッスン１", "おそい", "３０"}, 1},
        {"the checked lesson again", false, {"レッスン１"}, {"レッスン１", "おそい", "３０"}, 1},
        {"the music off during a game", true, {"BGM停止"}, {"レッスン１", "おそい", "３０", "BGM停止"}, 1},
        {"the music off and on again", false, {"BGM停止", "BGM停止"}, {"レッスン１", "おそい", "３０"}, 1},
    };
    for (const Row& row : rows) {
        Windows w;
        if (row.game)
            startClick(w.s, w.p);
        for (const char* caption : row.chosen) {
            if (QAction* action = item(w.forms.mainForm(), caption))
                action->trigger();
        }
        EXPECT_EQ(checked(w.forms.mainForm()), row.marks) << row.what;
        EXPECT_EQ(w.s.gLesson, row.lesson) << row.what;
    }
}

} // namespace
} // namespace zunaka
