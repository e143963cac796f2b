#include "WindowSize.h"

#include "Canvas.h"
#include "holes/HoleModel.h"

namespace zunaka {

namespace {

// A small screen's window is 640 x 480 outside; its frame takes 3 px a side and its caption, menu bar
// and frame 44 px of the height, whatever the window manager really draws.
constexpr QSize kSmallClientSize(kCanvasWidth - 6, kCanvasHeight - 44);

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

void setWindowSize(Platform& p)
{
    const QSize client = mainClientSize(p.screen());
    p.forms().setMainClientSize(client.width(), client.height());
}

void arrangeControls(GameState& s, Platform& p)
{
    s.BackPicture = blankSurface(kCanvasWidth, kCanvasHeight);
    s.AllPicture = blankSurface(kCanvasWidth, kCanvasHeight);
    p.forms().placeKeyBox(QRect((s.AllPicture.width() - kKeyBoxWidth) / 2, kKeyBoxTop, kKeyBoxWidth, kKeyBoxHeight));
    for (QImage& surface : s.ZunPicture)
        surface = blankSurface(kMoleWidth, kMoleHeight);
}

} // namespace zunaka
