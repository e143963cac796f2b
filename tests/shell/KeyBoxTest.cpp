#include "Windows.h"
#include "shell/Game.h"

#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace zunaka {
namespace {

using test::Windows;
using Sounds = std::vector<std::string>;

// A mole of hole 3 carrying K, 60 pixels out and still rising: just inside its hit window.
void placeMole(GameState& s)
{
    s.gHoleMoji[3] = "K";
    s.gHoleRect[3].top = s.gHoleBottom[3] - 60;
    s.gHoleUp[3] = true;
}

TEST(KeyBox, ACharacterTypedDuringAGameCatchesTheMoleInItsWindow)
{
    Windows w;
    startClick(w.s, w.p);
    placeMole(w.s);
    QTest::keyClick(w.forms.mainForm().keyBox(), 'k');

    EXPECT_EQ(w.p.soundsPlayed, Sounds{"hit"});
    EXPECT_EQ(w.s.gHitCount, 1);
    EXPECT_TRUE(w.s.gHoleCaught[3]);
    EXPECT_EQ(w.forms.keyBoxText(), "k");
}

// Each key reaches the key box as the window system delivers it; every judged release plays a sound.
TEST(KeyBox, KeysAreJudgedOncePerRealRelease)
{
    using Keys = std::function<void(QLineEdit*)>;
    const auto event = [](QLineEdit* box, bool press, Qt::Key key, const char* text, bool autoRepeat) {
        QTest::simulateEvent(box, press, key, Qt::NoModifier, QString::fromLatin1(text), autoRepeat);
    };
    struct Row {
        const char* what;
        Keys keys;
        std::string box;
        Sounds sounds;
    };
    const Row rows[] = {
        {"typed over an earlier character", [](QLineEdit* box) { QTest::keyClicks(box, "jk"); }, "k",
         {"miss", "hit"}},
        {"K held down: repeated presses, one judgement",
         [&](QLineEdit* box) {
             event(box, true, Qt::Key_K, "k", false);
             for (int i = 0; i < 3; ++i) {
                 event(box, false, Qt::Key_K, "k", true);
                 event(box, true, Qt::Key_K, "k", true);
             }
             event(box, false, Qt::Key_K, "k", false);
         },
         "k", {"hit"}},
        {"the G and Ctrl of Ctrl+G released without their presses",
         [](QLineEdit* box) { QTest::keyRelease(box, Qt::Key_G, Qt::ControlModifier); }, "", {"miss", "miss"}},
        {"Backspace empties the box; its release catches nothing",
         [](QLineEdit* box) {
             QTest::keyClick(box, 'k');
             QTest::keyClick(box, Qt::Key_Backspace);
         },
         "", {"hit", "miss"}},
        {"Shift types nothing; its release judges the box again",
         [](QLineEdit* box) {
             QTest::keyClick(box, 'k');
             QTest::keyClick(box, Qt::Key_Shift);
         },
         "k", {"hit", "miss"}},
    };
    for (const Row& row : rows) {
        Windows w;
        startClick(w.s, w.p);
        placeMole(w.s);
        row.keys(w.forms.mainForm().keyBox());
        EXPECT_EQ(w.forms.keyBoxText(), row.box) << row.what;
        EXPECT_EQ(w.p.soundsPlayed, row.sounds) << row.what;
    }
}

} // namespace
} // namespace zunaka
