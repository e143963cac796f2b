// Checks of the rendered icons (their sizes are checked with the other pictures' decoding): a real shape with see-through corners (so the icon does not
// sit in a white square on the title bar), and an opaque, coloured face in the middle.
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <string>

namespace {

struct IconCase {
    const char* path;
    int size;
};

constexpr IconCase kIcons[] = {
    {ZUNAKA_ICON_DIR "/zunaka-32.png", 32},
    {ZUNAKA_ICON_DIR "/zunaka-256.png", 256},
};

constexpr int kClearAlpha = 16;
constexpr int kSolidAlpha = 250;

TEST(Icon, CornersAreTransparentAndTheMiddleIsSolid)
{
    for (const IconCase& icon : kIcons) {
        const QImage file(icon.path);
        ASSERT_EQ(file.size(), QSize(icon.size, icon.size)) << icon.path;
        ASSERT_TRUE(file.hasAlphaChannel()) << icon.path;
        const QImage image = file.convertToFormat(QImage::Format_ARGB32);
        const int last = icon.size - 1;
        const QPoint corners[] = {{0, 0}, {last, 0}, {0, last}, {last, last}};
        for (const QPoint& corner : corners) {
            EXPECT_LE(qAlpha(image.pixel(corner)), kClearAlpha)
                << icon.path << " corner " << corner.x() << "," << corner.y();
        }
        const QRgb middle = image.pixel(icon.size / 2, icon.size / 2);
        EXPECT_GE(qAlpha(middle), kSolidAlpha) << icon.path;
        // Not a grey or black blob: the face has colour.
        EXPECT_GT(qRed(middle) - qBlue(middle), 20) << icon.path << " middle " << std::hex << middle;
    }
}

// A shape, not a filled square and not an empty canvas.
TEST(Icon, CoversAShapeNotTheWholeSquare)
{
    for (const IconCase& icon : kIcons) {
        const QImage image = QImage(icon.path).convertToFormat(QImage::Format_ARGB32);
        ASSERT_FALSE(image.isNull()) << icon.path;
        int clear = 0;
        for (int y = 0; y < icon.size; ++y)
            for (int x = 0; x < icon.size; ++x)
                clear += qAlpha(image.pixel(x, y)) <= kClearAlpha;
        const double share = double(clear) / (icon.size * icon.size);
        EXPECT_GT(share, 0.08) << icon.path;
        EXPECT_LT(share, 0.5) << icon.path;
    }
}

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
