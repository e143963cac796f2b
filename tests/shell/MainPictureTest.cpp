#include "MainPicture.h"

#include <QPainter>

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

QImage shownAt(MainPicture& picture, const QRect& rect)
{
    return picture.grab(rect).toImage().convertToFormat(QImage::Format_RGB32);
}

// Whatever mix of copies the window is sent, a repaint of a rectangle shows what was last sent there,
// shrunk where it was shrunk.
TEST(MainPicture, ARepaintShowsWhatWasLastSentThere)
{
    const QRect column(63, 112, 125, 140);
    const QRect corner(500, 20, 60, 40);
    const QRect canvas(0, 0, 640, 480);
    const QRect shrunk(0, 0, 634, 436);
    const QImage first = pattern(canvas.size());
    const QImage other = first.mirrored(true, true);
    QImage firstShrunk(shrunk.size(), QImage::Format_RGB32);
    {
        QPainter painter(&firstShrunk);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(shrunk, first, canvas);
    }
    struct Case {
        const char* name;
        bool shrinkFirst;      // the whole buffer sent shrunk before the column
        bool cornerFromOther;  // the corner sent from another picture after the column
        QImage corner;         // what the corner shows at the end
    };
    const Case cases[] = {
        {"one to one", false, false, first.copy(corner)},
        {"shrunk, then one to one", true, false, firstShrunk.copy(corner)},
        {"one to one, then from another picture", false, true, other.copy(corner)},
    };
    for (const Case& c : cases) {
        QWidget parent;
        MainPicture picture(&parent);
        picture.setCanvasSize(c.shrinkFirst ? shrunk.size() : canvas.size());
        QImage buffer = first;
        if (c.shrinkFirst)
            picture.blit(buffer, canvas, shrunk);
        picture.blit(buffer, column, column);
        if (c.cornerFromOther)
            picture.blit(other, corner, corner);
        // The next frame: a change in the column's lower half, sent alone.
        const QRect lowerHalf(column.x(), column.y() + column.height() / 2, column.width(), column.height() / 2);
        QPainter(&buffer).fillRect(lowerHalf, Qt::darkGreen);
        picture.blit(buffer, lowerHalf, lowerHalf);

        EXPECT_EQ(shownAt(picture, column), buffer.copy(column)) << c.name;
        EXPECT_EQ(shownAt(picture, corner), c.corner) << c.name;
    }
}

} // namespace
} // namespace zunaka
