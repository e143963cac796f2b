// The real windows on Qt's offscreen platform, driven with Qt Test's helpers; the rest of the platform
// is the fake, so the sounds stay recorded.
#include "KeyBox.h"
#include "PlayerDialog.h"
#include "QtForms.h"
#include "holes/HoleModel.h"
#include "screen/WindowSize.h"
#include "platform/fake/FakePlatform.h"
#include "shell/Game.h"

#include <QApplication>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <set>

namespace zunaka {
namespace {

using Strings = std::vector<std::string>;

// The state after start-up on the fake platform, with the real windows in place of the recorded ones.
struct Windows : FakePlatform {
    GameState s;
    QtForms windows{s, *this};
    Forms& forms() override { return windows; }

    explicit Windows(bool game)
    {
        arrangeControls(s, *this);
        setDefaults(s);
        setHoleRects(s);
        s.gMissSound = "miss";
        s.gHitSound = "hit";
        effectLengthMs = 0;  // every judgement sounds
        if (game)
            startClick(s, *this);
    }
};

// Hole 3's mole carries K, 60 pixels out and rising: just inside its window. Every release is judged
// and sounds; the game's record counts a miss only for a character a key press put in the box.
TEST(Windows, KeysTypedIntoTheKeyBoxAreJudgedOncePerRealRelease)
{
    using Keys = std::function<void(KeyBox*)>;
    const Keys held = [](KeyBox* box) {  // K held: its press, repeats of release and press, its release
        QTest::simulateEvent(box, true, Qt::Key_K, {}, "k", false);
        for (bool press : {false, true, false, true})
            QTest::simulateEvent(box, press, Qt::Key_K, {}, "k", true);
        QTest::simulateEvent(box, false, Qt::Key_K, {}, "k", false);
    };
    const std::vector<MissRecord> missedJ{{"J", {"K"}}};  // the miss the record keeps, with the mole up
    const std::tuple<bool, Keys, std::string, Strings, std::vector<MissRecord>> rows[] = {
        {true, [](KeyBox* box) { QTest::keyClicks(box, "jk"); }, "k", {"miss", "hit"}, missedJ},
        {false, [](KeyBox* box) { QTest::keyClicks(box, "jk"); }, "k", {}, {}},
        {true, held, "k", {"hit"}, {}},
        {true, [](KeyBox* box) { QTest::keyRelease(box, Qt::Key_G, Qt::ControlModifier); }, "", {"miss", "miss"}, {}},
        {true,
         [](KeyBox* box) {
             QTest::keyClicks(box, "j");
             QTest::keyRelease(box, Qt::Key_G, Qt::ControlModifier);
         },
         "j", {"miss", "miss", "miss"}, missedJ},
        {true, [](KeyBox* box) { QTest::keyClicks(box, "k\b"); }, "", {"hit", "miss"}, {}},
        {true, [](KeyBox* box) { QTest::keyClick(box, Qt::Key_K, Qt::ControlModifier); }, "", {"miss", "miss"}, {}},
        {true, [](KeyBox* box) { QTest::keyClicks(box, "j"); QTest::keyClick(box, Qt::Key_Shift); }, "j",
         {"miss", "miss"}, missedJ},
        // F11 and then Esc, on the shown window: into full screen and out, each press taken by its shortcut
        // and each release judged like Shift's.
        {true,
         [](KeyBox* box) {
             box->window()->show();
             QApplication::setActiveWindow(box->window());
             QTest::keyClicks(box, "k");
             QTest::keyClick(box, Qt::Key_F11);
             QTest::keyClick(box, Qt::Key_Escape);
         },
         "k", {"hit", "miss", "miss"}, {}},
    };
    for (const auto& [game, keys, box, sounds, misses] : rows) {
        Windows w(game);
        w.s.gHoleMoji[3] = "K";
        w.s.gHoleRect[3].top = w.s.gHoleBottom[3] - 60;
        w.s.gHoleUp[3] = true;
        keys(w.windows.mainForm().keyBox());
        EXPECT_EQ(w.windows.keyBoxText(), box) << "sounds " << ::testing::PrintToString(sounds);
        EXPECT_EQ(w.soundsPlayed, sounds);
        EXPECT_EQ(w.s.gHitCount, std::count(sounds.begin(), sounds.end(), "hit")) << "box " << box;
        EXPECT_TRUE(w.s.record.missList == misses && w.s.record.misses == static_cast<int>(misses.size()))
            << "sounds " << ::testing::PrintToString(sounds);
    }
}

// Items chosen one after another, as a player would; the marks read back from the real menus.
// The box shows its cursor as soon as it gets the focus, before any key: the player sees where to type.
TEST(Windows, TheKeyBoxShowsItsCursorWhenItGetsTheFocus)
{
    Windows w(true);
    KeyBox* box = w.windows.mainForm().keyBox();
    QFocusEvent in(QEvent::FocusIn);
    QApplication::sendEvent(box, &in);
    const QImage focused = box->grab().toImage();
    QFocusEvent out(QEvent::FocusOut);
    QApplication::sendEvent(box, &out);
    EXPECT_NE(focused, box->grab().toImage());
}

TEST(Windows, MenusStartWithTheDefaultsMarkedAndOnlyTheHandlersMoveMarks)
{
    const std::tuple<bool, Strings, std::set<std::string>> rows[] = {
        {false, {}, {"レッスン１", "おそい", "３０"}},
        {true, {"レッスン２", "はやい", "７０"}, {"レッスン１", "おそい", "３０"}},
        {true, {"BGM停止"}, {"レッスン１", "おそい", "３０", "BGM停止"}},
    };
    for (const auto& [game, chosen, marked] : rows) {
        Windows w(game);
        std::map<std::string, QAction*> items;
        for (QAction* menu : w.windows.mainForm().menuBar()->actions()) {
            for (QAction* item : menu->menu()->actions())
                items[item->text().toStdString()] = item;
        }
        for (const std::string& caption : chosen)
            items.at(caption)->trigger();
        std::set<std::string> checked;
        for (const auto& [caption, item] : items) {
            if (item->isChecked())
                checked.insert(caption);
        }
        EXPECT_EQ(checked, marked) << (game ? "during a game" : "between games");
    }
}

// The windows' close boxes: the title hands over and its timer stops with it; the main window runs its two
// unload handlers once, however often it is closed.
TEST(Windows, ClosingEitherWindowRunsItsUnloadHandlersOnce)
{
    Windows w(true);
    w.mciSendString("open \"/m.mid\" type sequencer alias gBGMfile");
    w.mediaCommands.clear();
    w.mediaResults.clear();
    w.windows.showTitleForm();
    ASSERT_TRUE(w.windows.titleForm().timer1().isActive());
    w.windows.titleForm().close();
    EXPECT_FALSE(w.windows.titleForm().timer1().isActive());
    EXPECT_FALSE(w.windows.titleForm().isVisible());
    EXPECT_TRUE(w.windows.mainForm().isVisible());

    w.windows.mainForm().close();
    w.windows.mainForm().close();
    EXPECT_FALSE(w.s.gPlaying);
    EXPECT_FALSE(w.s.gLoopOn);
    EXPECT_EQ(w.mediaResults, (std::vector<int>{mci::kOk, mci::kOk, mci::kNotOpen, mci::kNotOpen}))
        << ::testing::PrintToString(w.mediaCommands);
}

// なまえ, answered as soon as it shows: a name typed wins over the list's choice and is cut to ten
// characters; without room for another player the box takes nothing; cancelling chooses no one.
TEST(Windows, ThePlayerDialogTakesATypedNameOfTenCharactersAtMostOrTheListsChoice)
{
    const std::tuple<bool, QString, bool, std::optional<std::string>> rows[] = {
        {true, "", true, "たろう"},
        {true, "abcdefghijkl", true, "abcdefghij"},
        {false, "abc", true, "たろう"},
        {true, "abc", false, std::nullopt},
    };
    for (const auto& [mayAdd, typed, accepted, chosen] : rows) {
        QTimer::singleShot(0, [typed = typed, accepted = accepted] {
            auto* dialog = qobject_cast<QDialog*>(QApplication::activeModalWidget());
            ASSERT_NE(dialog, nullptr);
            QTest::keyClicks(dialog->findChild<QLineEdit*>(), typed);
            accepted ? dialog->accept() : dialog->reject();
        });
        EXPECT_EQ(PlayerDialog::ask(nullptr, {"みんな", "たろう"}, "たろう", mayAdd), chosen)
            << "typed " << typed.toStdString() << (mayAdd ? "" : ", no room");
    }
}

} // namespace
} // namespace zunaka
