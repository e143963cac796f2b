// The title picture must carry its text (a renderer that drops text, or a face without the kana, leaves the
// sky bare), and the icons must be a coloured shape with see-through corners, not a white square.
#include <QDir>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

namespace {

const QString kTitle = QStringLiteral("Title.jpg");
constexpr int kMinTextPixels = 120;
constexpr int kMinLetterPixels = 150;
// How many pixels of `area` (inclusive) match.
template <typename Match>
int count(const QImage& image, const QRect& area, Match match)
{
    int n = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            n += match(image.pixel(x, y)) ? 1 : 0;
    return n;
}

bool near(QRgb a, QRgb b) { return std::hypot(qRed(a) - qRed(b), qGreen(a) - qGreen(b), qBlue(a) - qBlue(b)) < 40; }

// Each letter of the name has its own colour and a dark outline, in a column 68 px apart from x = 82; the
// subtitle is white on the ribbon, the prompt dark on its white pill.
struct TextCase {
    const char* what;
    QRect area;
    QRgb colour; // 0: dark text, 1: white text
};
constexpr TextCase kTexts[] = {
    {"ず", {52, 40, 60, 105}, 0xff7a3d},  {"な", {120, 40, 60, 105}, 0xff5d8f}, {"か", {188, 40, 60, 105}, 0xffc21a},
    {"タ", {256, 40, 60, 105}, 0x55c93f}, {"イ", {324, 40, 60, 105}, 0x2fb5e6}, {"ピ", {392, 40, 60, 105}, 0x5f86ff},
    {"ン", {460, 40, 60, 105}, 0xa86bff}, {"グ", {528, 40, 60, 105}, 0xff62ad},
    {"タイピングれんしゅう", {200, 158, 240, 26}, 1},
    {"クリックしてね", {236, 448, 160, 28}, 0},
};

struct IconCase {
    const char* path;
    int size;
};
constexpr IconCase kIcons[] = {{ZUNAKA_ICON_DIR "/zunaka-32.png", 32}, {ZUNAKA_ICON_DIR "/zunaka-256.png", 256}};
constexpr int kClearAlpha = 16;

} // namespace

TEST(TitlePicture, EveryLetterAndLineOfTextShows)
{
    const QImage title = QImage(QDir(QStringLiteral(ZUNAKA_DETA_DIR)).filePath(kTitle)).convertToFormat(QImage::Format_RGB32);
    ASSERT_EQ(title.size(), QSize(640, 500));
    for (const TextCase& t : kTexts) {
        const int dark = count(title, t.area, [](QRgb c) { return qGray(c) < 80; });
        const int text = count(title, t.area, [&](QRgb c) {
            return t.colour == 0 ? qGray(c) < 110 : t.colour == 1 ? qGray(c) > 235 : near(c, t.colour);
        });
        EXPECT_GE(text, t.colour > 1 ? kMinLetterPixels : kMinTextPixels) << t.what;
        if (t.colour > 1) { // the dark outline that keeps the letter readable on the sky
            EXPECT_GE(dark, kMinLetterPixels) << t.what << " outline";
        }
    }
}

TEST(Icon, ColouredShapeWithClearCorners)
{
    for (const IconCase& icon : kIcons) {
        const QImage image = QImage(icon.path).convertToFormat(QImage::Format_ARGB32);
        ASSERT_EQ(image.size(), QSize(icon.size, icon.size)) << icon.path;
        const int last = icon.size - 1;
        for (const QPoint corner : {QPoint(0, 0), QPoint(last, 0), QPoint(0, last), QPoint(last, last)})
            EXPECT_LE(qAlpha(image.pixel(corner)), kClearAlpha) << icon.path << " corner " << corner.x() << "," << corner.y();
        const QRgb middle = image.pixel(icon.size / 2, icon.size / 2);
        EXPECT_GE(qAlpha(middle), 250) << icon.path;
        EXPECT_GT(qRed(middle) - qBlue(middle), 20) << icon.path << ": the face has colour";
    }
}

// The pictures are read through Qt's image plug-ins, which need a GUI application; no display is wanted.
int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
