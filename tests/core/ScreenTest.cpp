#include "Harness.h"
#include "Messages.h"
#include "screen/WindowSize.h"
#include "shell/Game.h"
#include "shell/Startup.h"
#include "shell/View.h"
#include "help/HelpPage.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zunaka {
namespace {

using test::Harness;

// Starts the program on a screen of the given size and quits at once.
Harness startedOn(ScreenSize screen, ScreenSize workArea, QMargins frame)
{
    Harness h;
    h.providePictures();
    h.p.screenSize = screen;
    h.p.workAreaSize = workArea;
    h.p.fakeForms.frame = frame;
    h.p.schedule(0, [&h] { quitClick(h.s, h.p); });
    formLoad(h.s, h.p);
    return h;
}

// The window's client area for the screen's class, cut where the window with its frame would stick out of
// the work area, whether the frame is known at start-up or learnt later (the guide page is then laid out
// again); and where the full-screen window shows the canvas, with a menu bar of 20 px.
TEST(Screen, WindowAndSurfacesFitTheScreen)
{
    const QMargins usual(3, 41, 3, 3);        // 6 px of the width and 44 of the height: 640 x 480 outside
    const QMargins openbox(1, 20 + 18, 1, 1);  // its frame, and Qt's menu bar
    const QMargins openbox2x(1, 10 + 18, 1, 1);  // the same at a scale factor of 2, in logical pixels
    struct Row {
        ScreenSize screen;
        ScreenSize workArea;  // none: the whole screen
        QMargins frame;
        bool framedLate;
        QSize client;
        CanvasView fullScreen;
    };
    const Row rows[] = {
        {{640, 480}, {}, usual, false, {634, 436}, {{13, 0, 613, 460}, true}},
        {{800, 600}, {}, usual, false, {640, 480}, {{13, 0, 773, 580}, true}},
        {{1024, 480}, {}, usual, false, {634, 436}, {{205, 0, 613, 460}, true}},
        {{799, 600}, {}, usual, false, {634, 436}, {{13, 0, 773, 580}, true}},
        {{1920, 1080}, {}, usual, false, {640, 480}, {{320, 50, 1280, 960}, false}},
        {{2560, 1600}, {}, usual, false, {640, 480}, {{320, 70, 1920, 1440}, false}},
        {{640, 480}, {}, openbox, true, {634, 436}, {{13, 0, 613, 460}, true}},
        {{800, 600}, {800, 520}, usual, false, {640, 476}, {{13, 0, 773, 580}, true}},
        {{512, 384}, {}, openbox2x, true, {510, 355}, {{13, 0, 485, 364}, true}},
        {{1024, 768}, {1024, 400}, openbox, true, {640, 361}, {{13, 0, 997, 748}, true}},
    };
    for (const Row& row : rows) {
        const std::string what = std::to_string(row.screen.width) + "x" + std::to_string(row.screen.height) +
                                 (row.framedLate ? ", framed late" : "");
        Harness h = startedOn(row.screen, row.workArea, row.framedLate ? QMargins(0, 18, 0, 0) : row.frame);
        const QSize wanted = mainClientSize(row.screen);
        EXPECT_EQ(h.p.fakeForms.titlePaintSize, h.p.fakeForms.window.size() + QSize(0, 20)) << what;
        if (row.framedLate) {
            drawHelpPage(h.s, h.p);
            h.p.fakeForms.frame = row.frame;
            mainFrameChanged(h.s, h.p);
            EXPECT_EQ(h.p.fakeForms.okButtonRect.topLeft(), QPoint(row.client.width() - 100, row.client.height() - 40))
                << what;
        }
        EXPECT_EQ(h.p.fakeForms.window.size(), row.client) << what << ", wanted " << wanted.width() << "x" << wanted.height();

        const CanvasView full = fullScreenView(QSize(row.screen.width, row.screen.height - 20));
        EXPECT_EQ(full.shown, row.fullScreen.shown) << what;
        EXPECT_EQ(full.smooth, row.fullScreen.smooth) << what;
        // In full screen the game lays out as in a canvas-sized client; back, the window is as it was.
        fullScreenClick(h.s, h.p);
        EXPECT_EQ(h.p.fakeForms.window.size(), QSize(640, 480)) << what;
        fullScreenClick(h.s, h.p);
        EXPECT_EQ(h.p.fakeForms.window.size(), row.client) << what;
    }
}

TEST(Screen, PicturesLoadFromAFolderWithJapaneseAndBlanksInItsPath)
{
    QTemporaryDir root;
    const QString program = root.path() + QStringLiteral("/ずなか タイピング");
    QDir().mkpath(program + "/Deta");
    Harness h;
    h.providePictures();
    for (const auto& [path, picture] : h.p.pictures)
        picture.save(program + "/Deta/" + QString::fromStdString(path.substr(path.rfind('/') + 1)), "JPG", 95);
    h.p.picturesFromDisk = true;
    h.p.appFolder = program.toStdString();
    arrangeControls(h.s, h.p);
    loadImages(h.s, h.p);
    EXPECT_TRUE(h.p.messages.empty());
    EXPECT_EQ(h.p.picturesLoaded.size(), 18u);
}

} // namespace
} // namespace zunaka
