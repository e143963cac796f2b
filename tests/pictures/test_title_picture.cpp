// Checks of the rendered "Title.jpg": that the text really came out (a renderer that drops
// text or a face that lacks the kana would leave the sky bare). Each letter of the name has its own colour,
// so each must show in its own column.
#include <QGuiApplication>
#include <QImage>

#include <gtest/gtest.h>

#include <cmath>

namespace {

constexpr const char* kPicturePath = ZUNAKA_DETA_DIR "/Title.jpg";
constexpr QSize kSize(640, 500);
constexpr double kTolerance = 40;

struct Letter {
    const char* name;
    int centreX;
    QRgb colour;
};

// The name's letters as title.svg places them: 68 px apart from x = 82.
constexpr Letter kLetters[] = {
    {"ず", 82, 0xff7a3d},  {"な", 150, 0xff5d8f}, {"か", 218, 0xffc21a}, {"タ", 286, 0x55c93f},
    {"イ", 354, 0x2fb5e6}, {"ピ", 422, 0x5f86ff}, {"ン", 490, 0xa86bff}, {"グ", 558, 0xff62ad},
};
constexpr int kNameTop = 40;
constexpr int kNameBottom = 145;
constexpr int kLetterHalfWidth = 30;
constexpr int kMinLetterPixels = 150;

bool near(QRgb a, QRgb b)
{
    return std::hypot(qRed(a) - qRed(b), qGreen(a) - qGreen(b), qBlue(a) - qBlue(b)) < kTolerance;
}

int countIn(const QImage& image, const QRect& area, auto predicate)
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            count += predicate(image.pixel(x, y));
    return count;
}

class TitlePicture : public testing::Test {
protected:
    void SetUp() override { ASSERT_EQ(picture.size(), kSize) << kPicturePath; }
    static void SetUpTestSuite() { picture = QImage(kPicturePath).convertToFormat(QImage::Format_RGB32); }
    static QImage picture;
};
QImage TitlePicture::picture;

TEST_F(TitlePicture, EveryLetterOfTheNameShowsInItsColumn)
{
    for (const Letter& letter : kLetters) {
        const QRect column(letter.centreX - kLetterHalfWidth, kNameTop, 2 * kLetterHalfWidth,
                           kNameBottom - kNameTop);
        const int coloured = countIn(picture, column, [&](QRgb p) { return near(p, letter.colour); });
        EXPECT_GE(coloured, kMinLetterPixels) << letter.name << " at x " << letter.centreX;
        // The dark outline that keeps the letter readable on the sky.
        const int outline = countIn(picture, column, [](QRgb p) { return qGray(p) < 80; });
        EXPECT_GE(outline, kMinLetterPixels) << letter.name << " outline";
    }
}

// The subtitle is white on the ribbon, the prompt dark on its white pill; both need their text drawn.
TEST_F(TitlePicture, SubtitleAndPromptHaveText)
{
    struct Case {
        const char* what;
        QRect area;
        bool lightText;
    };
    const Case cases[] = {
        {"タイピングれんしゅう", QRect(200, 158, 240, 26), true},
        {"クリックしてね", QRect(236, 448, 160, 28), false},
    };
    constexpr int kMinTextPixels = 120;
    for (const Case& c : cases) {
        const auto isText = [&](QRgb p) { return c.lightText ? qGray(p) > 235 : qGray(p) < 110; };
        const int text = countIn(picture, c.area, isText);
        EXPECT_GE(text, kMinTextPixels) << c.what;
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
