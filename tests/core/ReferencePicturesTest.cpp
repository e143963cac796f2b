// What the window shows, compared with pictures a person has looked at (tests/reference). The scenes are
// drawn by the game's own functions from the data folder of the build, on the fake platform.
//
// To make a picture anew after a change that is meant to show: ZUNAKA_WRITE_REFERENCES=1 core_tests
// --gtest_filter='ReferencePictures.*', then look at it before committing it.
#include "Harness.h"
#include "PlayedGame.h"
#include "help/HelpPage.h"
#include "help/RecordsPage.h"
#include "holes/DrawMole.h"
#include "holes/HoleMotion.h"
#include "moji/Status.h"
#include "shell/Game.h"
#include "shell/MainLoop.h"
#include "shell/View.h"
#include "screen/Composition.h"
#include "../reference/Compare.h"

#include <QDir>

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace zunaka {
namespace {

using test::Harness;
using test::played;

// A mole of `hole` out by `visible` rows, carrying `moji` in a dark blue that shows the bold face.
void raise(Harness& h, int hole, int visible, const char* moji = "W", bool caught = false)
{
    const HoleLook look = holeLooks()[hole];
    h.s.gHoleMoji[hole] = moji;
    h.s.gMojiRed[hole] = 20, h.s.gMojiGreen[hole] = 40, h.s.gMojiBlue[hole] = 160;
    h.s.gHoleCaught[hole] = caught;
    h.s.gHoleRect[hole].top = h.s.gHoleBottom[hole] - visible;
    drawMole(h.s, h.p, hole, look.picture, visible, look.textX, look.textY);
}

int risen(const Harness& h, int hole)
{
    return h.s.gHoleBottom[hole] - h.s.gHoleTop[hole];
}

// Twenty-four games of one player and one of another's: the best of lesson 1 is 25 caught with one miss
// (more were caught in a game stopped, and in the other player's), the chart shows the last twenty, and
// the keys of the last game name ; S : as the weakest.
std::vector<GameRecord> someGames()
{
    std::vector<GameRecord> games;
    for (int i = 0; i < 18; ++i)
        games.push_back(played(2, 10 + i, i % 4));
    for (const GameRecord& game : {played(1, 25, 3), played(1, 28, 0, false), played(1, 25, 1), played(5, 9, 9),
                                   played(1, 25, 1), played(1, 30, 0, true, "たろう")})
        games.push_back(game);
    GameRecord keyed = played(5, 20, 4);
    keyed.keys = {{"A", {10, 10}}, {";", {10, 4}}, {":", {10, 7}}, {"Q", {10, 9}}, {"S", {10, 5}}};
    keyed.missList = {{":", {";"}}, {":", {";"}}, {"A", {"S"}}, {"L", {";", "Q"}}};
    games.push_back(keyed);
    return games;
}

struct Scene {
    const char* reference;  // tests/reference/NAME.png
    ScreenSize screen;
    std::function<void(Harness&)> draw;
};

const Scene kScenes[] = {
    {"bare-field", {1024, 768}, [](Harness&) {}},
    // Each look of the moles fully up, and holes 5 and 6 with the looks of 1 and 2 and their own places.
    {"moles", {1024, 768},
     [](Harness& h) {
         const char* moji[] = {"", "W", "M", "@", "B", "8", "G"};
         for (int hole = 1; hole <= kHoleCount; ++hole)
             raise(h, hole, risen(h, hole), moji[hole]);
     }},
    // Counts printed over others, as a game's last frame prints them: no digit of the earlier ones stays.
    // The last pass of a game in full screen on a 640 x 480 screen, whose canvas then shows one to one
    // and so takes the wide strip, printed over the strip of the frame before.
    {"end-strip", {640, 480},
     [](Harness& h) {
         fullScreenClick(h.s, h.p);
         startClick(h.s, h.p);
         h.s.gPopCount = 9, h.s.gHitCount = 8;
         printStatusWide(h.s, h.p);
         h.s.gPopCount = h.s.gMojiTotal, h.s.gHitCount = 27;
         h.p.advance(31);
         runPass(h.s, h.p);
     }},
    {"guide", {1024, 768},
     [](Harness& h) {
         subHelpClick(h.s, h.p);
         EXPECT_TRUE(h.p.fakeForms.okButtonVisible && h.p.fakeForms.okButtonRect == QRect(540, 440, 80, 30));
     }},
    // OK on the records page (or the guide page) brings back the bare field and takes the buttons away.
    {"bare-field", {1024, 768},
     [](Harness& h) {
         h.p.recordStore.saved = someGames();
         subRecordsClick(h.s, h.p);
         command1Click(h.s, h.p);
         EXPECT_FALSE(h.s.recordsPageOpen || h.p.fakeForms.okButtonVisible ||
                      h.p.fakeForms.pageButtons[PageButton::Player].first ||
                      h.p.fakeForms.pageButtons[PageButton::EraseRecords].first);
     }},
    // Another desktop's frame leaves 626 x 440: the keyboard, 500.8 px wide, starts at 62.5, rounded to 62.
    {"guide-626x440", {640, 480},
     [](Harness& h) {
         h.p.fakeForms.setMainClientSize(626, 440);
         subHelpClick(h.s, h.p);
         EXPECT_EQ(h.p.fakeForms.okButtonRect, QRect(526, 400, 80, 30));
     }},
    {"records", {1024, 768},
     [](Harness& h) {
         h.p.recordStore.saved = someGames();
         subRecordsClick(h.s, h.p);
     }},
    // A small screen's window shows the whole buffer scaled: the page that offers the first game, with the
    // notice that nothing can be saved.
    {"records-none-small", {640, 480},
     [](Harness& h) {
         h.p.recordStore.refuses = true;
         subRecordsClick(h.s, h.p);
         EXPECT_FALSE(h.p.fakeForms.pageButtons[PageButton::EraseRecords].first) << "nothing to erase";
     }},
    // A small screen during a game: the narrow strip and the playfield sent scaled, caught moles in their
    // other looks sinking below their holes' edges, and a data folder whose pictures are twice the size.
    {"game-small", {640, 480},
     [](Harness& h) {
         for (int k = 1; k <= kMolePictureCount; ++k) {
             h.s.gZunImage[k] = h.s.gZunImage[k].scaled(250, 290);
             h.s.gZunMask[k] = h.s.gZunMask[k].scaled(250, 290);
         }
         h.s.gPopCount = 12, h.s.gHitCount = 7;
         printStatusNarrow(h.s, h.p);
         for (int hole = 1; hole <= 4; ++hole)
             raise(h, hole, 20 * hole, "", true);
         raise(h, 5, risen(h, 5), "K");
         raise(h, 6, risen(h, 6), "@");
     }},
};

// A program started on `screen` with the build's data folder, its window showing the bare field.
Harness startedOn(ScreenSize screen)
{
    Harness h;
    h.p.screenSize = screen;
    setWindowSize(h.p);
    h.setUp();
    h.p.picturesFromDisk = true;
    h.p.appFolder = ZUNAKA_PROGRAM_DIR;
    loadImages(h.s, h.p);
    clearScreen(h.s, h.p);
    return h;
}

TEST(ReferencePictures, TheWindowShowsWhatAPersonSawInEachScene)
{
    const bool writing = qEnvironmentVariableIsSet("ZUNAKA_WRITE_REFERENCES");
    const QDir failures(QDir::temp().filePath(QStringLiteral("zunaka-reference")));
    for (const Scene& scene : kScenes) {
        Harness h = startedOn(scene.screen);
        scene.draw(h);
        const QImage& actual = h.p.fakeForms.window;
        const QString path = QStringLiteral(ZUNAKA_REFERENCE_DIR "/%1.png").arg(scene.reference);
        if (writing) {
            actual.save(path, "PNG", 0);  // the smallest file
            continue;
        }
        const QImage expected = QImage(path).convertToFormat(QImage::Format_RGB32);
        if (reference::matches(actual, expected))
            continue;
        failures.mkpath(QStringLiteral("."));
        const QString stem = failures.filePath(QString::fromLatin1(scene.reference));
        actual.save(stem + QStringLiteral("-actual.png"));
        reference::difference(actual, expected).save(stem + QStringLiteral("-difference.png"));
        ADD_FAILURE() << scene.reference << ": "
                      << (expected.isNull() ? -1 : reference::pixelsOff(actual, expected, expected.rect()))
                      << " pixels off; see " << stem.toStdString() << "-difference.png and -actual.png";
    }
}

} // namespace
} // namespace zunaka
