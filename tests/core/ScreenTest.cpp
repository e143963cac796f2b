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

// A data folder on disk, under a path with Japanese characters and blanks, holding every picture.
struct DiskFolder {
    QTemporaryDir root;
    std::string program;
    std::vector<std::string> files;  // in the order the game loads them

    DiskFolder()
    {
        const QString folder = root.path() + QStringLiteral("/ずなか タイピング/Deta");
        QDir().mkpath(folder);
        program = (root.path() + QStringLiteral("/ずなか タイピング")).toStdString();
        files = {"Back.jpg"};
        for (const char* name : {"Zun??.jpg", "ZunMask??.jpg"})
            for (int n = 1; n <= kMolePictureCount; ++n)
                files.push_back(pictureFileName(name, n));
        files.push_back("KeyBorad.jpg");
        for (const std::string& file : files) {
            QImage image(file == "Back.jpg" ? QSize(320, 200) : QSize(16, 16), QImage::Format_RGB32);
            image.fill(file == "Back.jpg" ? qRgb(30, 160, 60) : qRgb(255, 255, 255));
            image.save(folder + "/" + QString::fromStdString(file), "JPG", 95);
        }
    }
    std::string path(const std::string& file) const { return program + "/Deta/" + file; }
};

TEST(Screen, LoadingStopsAtTheFirstMissingPicture)
{
    const DiskFolder disk;
    for (std::size_t missing = 0; missing <= disk.files.size(); ++missing) {
        Harness h;
        h.p.picturesFromDisk = true;
        h.p.appFolder = disk.program;
        arrangeControls(h.s, h.p);
        QTemporaryDir aside;
        const bool removes = missing < disk.files.size();
        const std::string what = removes ? disk.files[missing] : "nothing missing";
        const QString file = removes ? QString::fromStdString(disk.path(disk.files[missing])) : QString();
        if (removes) {
            ASSERT_TRUE(QFile::rename(file, aside.path() + "/f")) << what;
            EXPECT_THROW(loadImages(h.s, h.p), ProgramEnded) << what;
            QFile::rename(aside.path() + "/f", file);
        } else {
            loadImages(h.s, h.p);
        }

        std::vector<std::string> expected;
        for (std::size_t i = 0; i < missing && i < disk.files.size(); ++i)
            expected.push_back(disk.path(disk.files[i]));
        EXPECT_EQ(h.p.picturesLoaded, expected) << what;
        EXPECT_EQ(h.p.messages, removes ? std::vector<std::string>{kPictureLoadError} : std::vector<std::string>{})
            << what;
        if (!removes) {
            // A background of any size fills the canvas exactly.
            EXPECT_EQ(h.s.BackPicture.size(), QSize(640, 480));
            for (const QPoint at : {QPoint(0, 0), QPoint(639, 479), QPoint(320, 240)})
                EXPECT_LT(qAbs(qGreen(h.s.BackPicture.pixel(at)) - 160), 8) << at.x() << "," << at.y();
        }
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

TEST(Screen, TheTitleHandOverAndStopShowTheBareBackground)
{
    Harness h;
    h.providePictures();
    h.p.fakeForms.window.fill(Qt::red);
    bool bareAfterTitle = false;
    h.p.schedule(100, [&h, &bareAfterTitle] {
        titleMouseDown(h.s, h.p);
        bareAfterTitle = h.s.AllPicture == h.s.BackPicture && h.p.fakeForms.window == h.s.BackPicture;
        startClick(h.s, h.p);
    });
    h.p.schedule(300, [&h] {
        // Something drawn over the playfield, as a game or the guide page would.
        h.s.AllPicture.fill(Qt::red);
        h.p.fakeForms.window.fill(Qt::red);
        stopClick(h.s, h.p);
    });
    h.p.schedule(400, [&h] { quitClick(h.s, h.p); });
    formLoad(h.s, h.p);
    EXPECT_TRUE(bareAfterTitle);
    EXPECT_EQ(h.s.AllPicture, h.s.BackPicture);
    EXPECT_EQ(h.p.fakeForms.window, h.s.BackPicture);
}

} // namespace
} // namespace zunaka
