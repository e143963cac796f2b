#include "MainForm.h"

#include <gtest/gtest.h>

namespace zunaka {
namespace {

QImage pattern(QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    for (int y = 0; y < size.height(); ++y)
        for (int x = 0; x < size.width(); ++x)
            image.setPixel(x, y, qRgb(x % 251, y % 241, (x * 7 + y * 3) % 256));
    return image;
}

TEST(MainPicture, ARepaintOfAnyRectangleShowsWhatWasSentThere)
{
    QWidget parent;
    MainPicture picture(&parent);
    picture.setCanvasSize({634, 436});
    const QImage buffer = pattern({640, 480});
    // The whole buffer scaled, then one column one to one over it, as a frame would send it.
    picture.blit(buffer, buffer.rect(), QRect(0, 0, 634, 436));
    picture.blit(buffer, QRect(63, 112, 125, 140), QRect(63, 112, 125, 140));
    for (const QRect rect : {QRect(0, 0, 634, 436), QRect(60, 100, 140, 160), QRect(633, 435, 1, 1), QRect(5, 7, 3, 300)}) {
        const QImage shown = picture.grab(rect).toImage().convertToFormat(QImage::Format_RGB32);
        EXPECT_EQ(shown, picture.image().copy(rect)) << rect.x() << "," << rect.y() << " " << rect.width() << "x"
                                                     << rect.height();
    }
    EXPECT_EQ(picture.image().copy(63, 112, 125, 140), buffer.copy(63, 112, 125, 140));
}

TEST(MainPicture, ShowingTheWindowAsksForTheWholePicture)
{
    QWidget window;
    MainPicture picture(&window);
    int shown = 0;
    picture.onShown = [&shown] { ++shown; };
    window.show();
    window.hide();
    window.show();
    EXPECT_EQ(shown, 2);
}

} // namespace
} // namespace zunaka
