// Reads the two counts off a screenshot of the main window's client area (640 x 480, a wide screen):
// draws the status strip with the game's own code for every count a game can reach and keeps the count
// whose drawing matches the screenshot.
//   read_status CLIENT.png BACK.jpg   prints "POPPED CAUGHT"; fails when a count matches no drawing
#include "GameState.h"
#include "moji/Status.h"
#include "platform/Blit.h"
#include "platform/Pictures.h"
#include "platform/fake/FakePlatform.h"
#include "screen/WindowSize.h"

#include <QGuiApplication>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kMostMoles = 70;
constexpr int kStripHeight = 100;
// The key box lies over the strip between the two counts.
constexpr int kPoppedRight = 280;
constexpr int kCaughtLeft = 360;

// Pixels of the columns [left, right) of the strip that differ from the screenshot.
int differing(const QImage& drawn, const QImage& shot, int left, int right)
{
    int count = 0;
    for (int y = 0; y < kStripHeight; ++y)
        for (int x = left; x < right; ++x)
            count += drawn.pixel(x, y) != shot.pixel(x, y);
    return count;
}

// The count whose drawing differs least from the screenshot in the columns; -1 when none matches.
template <typename SetCount>
int readCount(zunaka::GameState& s, zunaka::FakePlatform& p, const QImage& shot, int left, int right,
              SetCount setCount)
{
    int best = -1;
    int fewest = kStripHeight * (right - left);
    for (int n = 0; n <= kMostMoles; ++n) {
        setCount(n);
        zunaka::printStatusWide(s, p);
        const int d = differing(p.fakeForms.window, shot, left, right);
        if (d < fewest)
            fewest = d, best = n;
    }
    // The screenshot is the window's copy of the same drawing: it matches to the pixel.
    return fewest == 0 ? best : -1;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: read_status CLIENT.png BACK.jpg\n", stderr);
        return 2;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    const QImage shot = QImage(QString::fromLocal8Bit(argv[1])).convertToFormat(QImage::Format_RGB32);
    zunaka::GameState s;
    zunaka::FakePlatform p;
    zunaka::arrangeControls(s, p);
    zunaka::paintPicture(s.BackPicture, zunaka::decodePicture(argv[2]), s.BackPicture.rect(),
                         zunaka::RasterOp::SrcCopy);
    const int popped = readCount(s, p, shot, 0, kPoppedRight, [&s](int n) { s.gPopCount = n; });
    const int caught = readCount(s, p, shot, kCaughtLeft, 640, [&s](int n) { s.gHitCount = n; });
    std::printf("%d %d\n", popped, caught);
    return popped >= 0 && caught >= 0 ? 0 : 1;
}
