#include "platform/Blit.h"

#include <gtest/gtest.h>

#include <vector>

namespace zunaka {
namespace {

QImage solid(QRgb colour, int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The copy's pixels are those of a plain copy, and the rectangle it returns holds every changed pixel and
// no row or column more than needed, so the window repaints all that changed and nothing else.
TEST(CopyChangedPixels, CopiesLikeBitBltAndReturnsTheBoundsOfWhatChanged)
{
    const QRgb grey = qRgb(90, 90, 90);
    struct Case {
        const char* name;
        std::vector<QPoint> changed;  // pixels of the source region that differ from the target
        QRect expected;               // in target coordinates; the region is copied to (30, 40)
    };
    const Case cases[] = {
        {"nothing differs", {}, QRect()},
        {"one pixel", {{5, 6}}, QRect(35, 46, 1, 1)},
        {"first and last pixel", {{0, 0}, {19, 9}}, QRect(30, 40, 20, 10)},
        {"two rows apart, columns crossing", {{12, 2}, {3, 7}}, QRect(33, 42, 10, 6)},
        {"last column only", {{19, 4}, {19, 5}}, QRect(49, 44, 1, 2)},
    };
    for (const Case& c : cases) {
        QImage source = solid(grey, 60, 50);
        for (const QPoint at : c.changed)
            source.setPixel(at + QPoint(10, 20), qRgb(200, at.x(), at.y()));
        QImage target = solid(grey, 80, 60);
        QImage expected = target;
        bitBlt(expected, {30, 40}, source, QRect(10, 20, 20, 10));

        EXPECT_EQ(copyChangedPixels(target, {30, 40}, source, QRect(10, 20, 20, 10)), c.expected) << c.name;
        EXPECT_EQ(target, expected) << c.name;
    }
}

} // namespace
} // namespace zunaka
