#include "WindowSize.h"

#include "Canvas.h"
#include "holes/HoleModel.h"

#include <algorithm>
#include <cmath>

namespace zunaka {

namespace {

// A small screen's window is 640 x 480 outside; its frame takes 3 px a side and its caption, menu bar
// and frame 44 px of the height, whatever the window manager really draws.
constexpr QSize kSmallClientSize(kCanvasWidth - 6, kCanvasHeight - 44);

// Below twice the canvas a whole factor leaves too much of the screen unused: the picture is smoothed
// to the largest size that fits instead.
constexpr int kLeastWholeFactor = 2;

constexpr int kKeyBoxWidth = 60;
constexpr int kKeyBoxHeight = 70;
constexpr int kKeyBoxTop = 10;

// Surfaces start as the window background colour, white: nothing of them shows before they are drawn.
QImage blankSurface(int width, int height)
{
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

} // namespace

QSize mainClientSize(ScreenSize screen)
{
    return isFullSizeScreen(screen) ? QSize(kCanvasWidth, kCanvasHeight) : kSmallClientSize;
}

QSize fitClientSize(QSize wanted, ScreenSize workArea, QMargins frame)
{
    const QSize room(workArea.width - frame.left() - frame.right(), workArea.height - frame.top() - frame.bottom());
    return wanted.boundedTo(room).expandedTo(QSize(1, 1));
}

CanvasView fullScreenView(QSize area)
{
    const int whole = std::min(area.width() / kCanvasWidth, area.height() / kCanvasHeight);
    QSize shown(kCanvasWidth * whole, kCanvasHeight * whole);
    if (whole < kLeastWholeFactor) {
        const double factor = std::min(double(area.width()) / kCanvasWidth, double(area.height()) / kCanvasHeight);
        shown = QSize(int(std::lround(kCanvasWidth * factor)), int(std::lround(kCanvasHeight * factor)));
    }
    const QPoint at((area.width() - shown.width()) / 2, (area.height() - shown.height()) / 2);
    return {QRect(at, shown), shown != kCanvasRect.size() && whole < kLeastWholeFactor};
}

void setWindowSize(Platform& p)
{
    const QSize client = fitClientSize(mainClientSize(p.screen()), p.workArea(), p.forms().mainFrame());
    p.forms().setMainClientSize(client.width(), client.height());
}

void arrangeControls(GameState& s, Platform& p)
{
    s.BackPicture = blankSurface(kCanvasWidth, kCanvasHeight);
    s.AllPicture = blankSurface(kCanvasWidth, kCanvasHeight);
    p.forms().placeKeyBox(QRect((s.AllPicture.width() - kKeyBoxWidth) / 2, kKeyBoxTop, kKeyBoxWidth, kKeyBoxHeight));
    s.ZunPicture = blankSurface(kMoleWidth, kMoleHeight);
}

} // namespace zunaka
