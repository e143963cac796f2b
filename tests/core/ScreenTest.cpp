#include "Harness.h"
#include "Messages.h"
#include "screen/Canvas.h"
#include "screen/Composition.h"
#include "screen/WindowSize.h"
#include "shell/Game.h"
#include "shell/Startup.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace zunaka {
namespace {

using test::Harness;

// Starts the program on a screen of the given size and quits at once.
Harness startedOn(ScreenSize screen)
{
    Harness h;
    h.providePictures();
    h.p.screenSize = screen;
    h.p.schedule(0, [&h] { quitClick(h.s, h.p); });
    formLoad(h.s, h.p);
    return h;
}

TEST(Screen, WindowAndSurfacesFitTheScreen)
{
    struct Row {
        ScreenSize screen;
        QSize client;
    };
    const Row rows[] = {
        {{640, 480}, {634, 436}}, {{800, 600}, {640, 480}},   {{1024, 480}, {634, 436}},
        {{799, 600}, {634, 436}}, {{1920, 1080}, {640, 480}},
    };
    for (const Row& row : rows) {
        const Harness h = startedOn(row.screen);
        const std::string what = std::to_string(row.screen.width) + "x" + std::to_string(row.screen.height);
        EXPECT_EQ(h.p.fakeForms.window.size(), row.client) << what;
        EXPECT_EQ(h.p.fakeForms.titlePaintSize, row.client + QSize(0, 20)) << what;
        EXPECT_EQ(h.s.AllPicture.size(), QSize(640, 480)) << what;
        EXPECT_EQ(h.s.BackPicture.size(), QSize(640, 480)) << what;
        for (const QImage& zun : h.s.ZunPicture)
            EXPECT_EQ(zun.size(), QSize(125, 145)) << what;
        EXPECT_EQ(h.p.fakeForms.keyBoxRect, QRect(290, 10, 60, 70)) << what;
    }
}

TEST(Screen, LoadingStopsAtTheFirstMissingPicture)
{
    const std::string folder = "/opt/zunaka/Deta/";
    std::vector<std::string> files{"Back.jpg"};
    for (const char* name : {"Zun??.jpg", "ZunMask??.jpg"})
        for (int n = 1; n <= kMolePictureCount; ++n)
            files.push_back(pictureFileName(name, n));
    files.push_back("KeyBorad.jpg");
    for (std::size_t missing = 0; missing < files.size(); ++missing) {
        Harness h;
        h.providePictures();
        h.p.pictures.erase(folder + files[missing]);
        arrangeControls(h.s, h.p);
        EXPECT_THROW(loadImages(h.s, h.p), ProgramEnded) << files[missing];
        std::vector<std::string> expected;
        for (std::size_t i = 0; i < missing; ++i)
            expected.push_back(folder + files[i]);
        EXPECT_EQ(h.p.picturesLoaded, expected) << files[missing];
        EXPECT_EQ(h.p.messages, std::vector<std::string>{kPictureLoadError}) << files[missing];
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
    // The small background fills the canvas exactly: its last column and row stretch to the corner.
    const QImage& back = h.p.pictures.at("/opt/zunaka/Deta/Back.jpg");
    for (const QPoint at : {QPoint(0, 0), QPoint(639, 479)}) {
        const QRgb expected = back.pixel(at.x() * back.width() / 640, at.y() * back.height() / 480);
        EXPECT_LT(qAbs(qRed(h.s.BackPicture.pixel(at)) - qRed(expected)), 24) << at.x() << "," << at.y();
        EXPECT_LT(qAbs(qGreen(h.s.BackPicture.pixel(at)) - qGreen(expected)), 24) << at.x() << "," << at.y();
    }
}

// A buffer of 8 x 6 blocks of 80 px, each its own colour.
QImage blocks()
{
    QImage image(640, 480, QImage::Format_RGB32);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            image.setPixel(x, y, qRgb(x / 80 * 30, y / 80 * 40, 90));
    return image;
}

TEST(Screen, TheWholeBufferIsScaledOntoTheClientAreaXAndYApart)
{
    for (const ScreenSize screen : {ScreenSize{1024, 768}, ScreenSize{640, 480}}) {
        Harness h;
        h.p.screenSize = screen;
        setWindowSize(h.p);
        arrangeControls(h.s, h.p);
        h.s.AllPicture = blocks();
        refreshScreen(h.s, h.p);

        const QImage& window = h.p.fakeForms.window;
        if (isFullSizeScreen(screen)) {
            EXPECT_EQ(window, h.s.AllPicture) << "one to one on a full-size screen";
            continue;
        }
        // Every block stands where the scaling puts it, and nothing is cut off at the edges.
        const double sx = window.width() / 640.0, sy = window.height() / 480.0;
        for (int by = 0; by < 6; ++by)
            for (int bx = 0; bx < 8; ++bx) {
                const QPoint centre(int((bx * 80 + 40) * sx), int((by * 80 + 40) * sy));
                EXPECT_EQ(window.pixel(centre), h.s.AllPicture.pixel(bx * 80 + 40, by * 80 + 40))
                    << "block " << bx << "," << by;
            }
        EXPECT_EQ(window.pixel(window.width() - 1, window.height() - 1), h.s.AllPicture.pixel(639, 479));
    }
}

} // namespace
} // namespace zunaka
