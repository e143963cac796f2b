// Checks of the rendered "KeyBorad.jpg": the finger names the help page prints above it, in its 12 px
// fixed-pitch face, must stand over keys of that finger's colour in every row.
#include "keyboard_layout.h"

#include <QFont>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <optional>

namespace {

using namespace zunaka::keyboard;

constexpr const char* kPicturePath = ZUNAKA_DETA_DIR "/KeyBorad.jpg";
constexpr int kFingerLineX = 30;
constexpr int kFingerPixels = 12;
constexpr double kColourTolerance = 20; // half the least distance between two finger colours

// The finger line, cut into its names and the blanks between them, in printing order.
constexpr std::array<std::pair<const char*, std::optional<Finger>>, 11> kFingerLine{{
    {"左小指", Finger::LeftLittle},
    {"左薬指", Finger::LeftRing},
    {"左中指", Finger::LeftMiddle},
    {"  ", std::nullopt},
    {"左人差指", Finger::LeftIndex},
    {"     ", std::nullopt},
    {"右人差指", Finger::RightIndex},
    {" ", std::nullopt},
    {"右中指", Finger::RightMiddle},
    {"右薬指", Finger::RightRing},
    {"右小指", Finger::RightLittle},
}};

struct Span {
    Finger finger;
    int left;
    int right;
};

std::vector<Span> fingerSpans()
{
    QFont font("IPAGothic");
    font.setPixelSize(kFingerPixels);
    const QFontMetrics metrics(font);
    std::vector<Span> spans;
    int x = kFingerLineX;
    for (const auto& [text, finger] : kFingerLine) {
        const int width = metrics.horizontalAdvance(QString::fromUtf8(text));
        if (finger)
            spans.push_back({*finger, x, x + width});
        x += width;
    }
    return spans;
}

// The finger whose colour the pixel shows, or nothing for white, outlines, legends and their edges.
std::optional<Finger> fingerOf(QRgb pixel)
{
    for (int f = 0; f < kFingerCount; ++f) {
        const std::uint32_t c = kFingerColours[f];
        const double d = std::hypot(qRed(pixel) - int((c >> 16) & 0xFF), qGreen(pixel) - int((c >> 8) & 0xFF),
                                    qBlue(pixel) - int(c & 0xFF));
        if (d < kColourTolerance)
            return static_cast<Finger>(f);
    }
    return std::nullopt;
}

class KeyboardPicture : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(picture.size(), QSize(kPictureWidth, kPictureHeight)) << kPicturePath; }
    static void SetUpTestSuite() { picture = QImage(kPicturePath).convertToFormat(QImage::Format_RGB32); }
    static QImage picture;
};
QImage KeyboardPicture::picture;

// The help page's arithmetic holds only for a face with 12 px full-width and 6 px blank characters.
TEST_F(KeyboardPicture, FingerLineFaceHasTheExpectedPitch)
{
    const std::vector<Span> spans = fingerSpans();
    const std::array<std::pair<int, int>, 8> expected{
        {{30, 66}, {66, 102}, {102, 138}, {150, 198}, {228, 276}, {282, 318}, {318, 354}, {354, 390}}};
    ASSERT_EQ(spans.size(), expected.size());
    for (std::size_t i = 0; i < spans.size(); ++i)
        EXPECT_EQ(std::make_pair(spans[i].left, spans[i].right), expected[i]) << "name " << i;
}

// Across the middle third of each name, one row at a time, only that finger's colour may show (legends,
// outlines and gaps aside), and it must show.
TEST_F(KeyboardPicture, EveryNameStandsOverItsFingersKeys)
{
    const char* rowNames[] = {"digit", "upper", "home", "lower"};
    for (const Span& span : fingerSpans()) {
        const int third = (span.right - span.left) / 3;
        for (int row = 0; row < 4; ++row) {
            // Below the legend, above the key's lower outline.
            const int y = rowTop(row) + kKeyHeight - 4;
            int own = 0;
            for (int x = span.left + third; x < span.right - third; ++x) {
                const std::optional<Finger> found = fingerOf(picture.pixel(x, y));
                if (!found)
                    continue;
                EXPECT_EQ(int(*found), int(span.finger))
                    << rowNames[row] << " row, x " << x << ": colour " << std::hex << picture.pixel(x, y);
                own += *found == span.finger;
            }
            EXPECT_GT(own, 0) << rowNames[row] << " row under finger " << int(span.finger);
        }
    }
}

// The page ANDs the picture onto white: the gaps between keys must stay white, or they would print grey.
// JPEG's halved colour resolution lets the key colours tint a 2 px gap a little, so the strip's average
// brightness is what counts.
TEST_F(KeyboardPicture, GapsBetweenKeysAreWhite)
{
    constexpr int kStripLeft = 80;
    constexpr int kStripWidth = 40;
    constexpr double kWhiteEnough = 245;
    const int gapY[] = {rowTop(1) - 1, rowTop(2) - 1, rowTop(3) - 1, rowTop(4) - 1, kPictureHeight - 1};
    for (int y : gapY) {
        double sum = 0;
        for (int x = kStripLeft; x < kStripLeft + kStripWidth; ++x) {
            sum += qGray(picture.pixel(x, y));
        }
        EXPECT_GE(sum / kStripWidth, kWhiteEnough) << "gap above y " << y + 1;
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
