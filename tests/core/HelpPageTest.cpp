#include "Harness.h"
#include "help/HelpPage.h"
#include "platform/Blit.h"
#include "platform/Fonts.h"
#include "screen/WindowSize.h"

#include <QFontMetrics>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace zunaka {
namespace {

using test::Harness;

const QRgb kWhite = qRgb(255, 255, 255);
const QRgb kPlayfield = qRgb(255, 0, 0);
const QRgb kKeyColour = qRgb(0x40, 0xA0, 0xD0);

struct Layout {
    QSize client;
    bool playing;  // a game started while the page is up: the OK button must still close it
    QRect picture;
    QPoint fingerLine;
    int textLeft;
    std::array<int, 9> textTops;
    QRect okButton;
};

const Layout kLayouts[] = {
    {{640, 480}, false, {64, 35, 512, 192}, {94, 20}, 64, {247, 267, 287, 327, 347, 367, 387, 407, 427},
     {540, 440, 80, 30}},
    // The small screen's client: 507.2 x 174.4 px of keyboard, its left edge at 63.5 rounds up to the even 64.
    {{634, 436}, true, {64, 35, 507, 174}, {94, 20}, 64, {229, 249, 269, 309, 329, 349, 369, 389, 409},
     {534, 396, 80, 30}},
    // A client of another window frame: 500.8 px of keyboard, its left edge at 62.5 rounds down to the even 62.
    {{626, 440}, false, {62, 35, 501, 176}, {92, 20}, 62, {231, 251, 271, 311, 331, 351, 371, 391, 411},
     {526, 400, 80, 30}},
};

std::string where(const Layout& row)
{
    return "client " + std::to_string(row.client.width()) + "x" + std::to_string(row.client.height());
}

std::string at(QPoint point)
{
    return "(" + std::to_string(point.x()) + ", " + std::to_string(point.y()) + ")";
}

QImage scaledTo(const QImage& buffer, QSize client)
{
    QImage window(client, QImage::Format_RGB32);
    stretchBlt(window, window.rect(), buffer, buffer.rect());
    return window;
}

// A band of text: its line cell, as far right as the buffer goes. The face's glyphs reach a pixel above
// the ascent it declares, so the band starts a pixel above the cell.
struct Band {
    QRect rect;
    int inked = 0;
    int left = 640, right = -1;
    int darkest = 255;  // the brightest channel of the darkest pixel: black text has one near 0
};

// The playfield of a game on a striped background, about to give way to the guide.
void setUpPlayfield(Harness& h, const Layout& row)
{
    h.p.fakeForms.setMainClientSize(row.client.width(), row.client.height());
    arrangeControls(h.s, h.p);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            h.s.BackPicture.setPixel(x, y, qRgb(x % 256, y % 256, 77));
    h.s.AllPicture.fill(kPlayfield);
    h.p.fakeForms.window.fill(kPlayfield);
    // Of another size than any layout's, so that it lands right only when scaled into its rectangle.
    h.s.gKeyImage = QImage(64, 24, QImage::Format_RGB32);
    h.s.gKeyImage.fill(kKeyColour);
}

// The keyboard fills exactly its rectangle, text ink lies only in the line cells at their places, and the
// rest of the page is the white window background: a baseline taken for the top, a shifted line, a
// picture not scaled or off by the rounding, or a playfield left behind all show as pixels out of place.
TEST(HelpPage, EveryPixelWhereTheLayoutPutsIt)
{
    const int fingerHeight = QFontMetrics(fixedGothic(12)).height();
    const int guideHeight = QFontMetrics(fixedGothic(13)).height();
    for (const Layout& row : kLayouts) {
        Harness h;
        setUpPlayfield(h, row);
        drawHelpPage(h.s, h.p);
        const QImage& page = h.s.AllPicture;

        const auto band = [](QPoint topLeft, int height) {
            return Band{QRect(topLeft.x(), topLeft.y() - 1, 640 - topLeft.x(), height + 1)};
        };
        std::vector<Band> bands{band(row.fingerLine, fingerHeight)};
        for (int top : row.textTops)
            bands.push_back(band({row.textLeft, top}, guideHeight));
        int misplaced = 0;
        QPoint firstMisplaced;
        QRgb firstColour = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) {
                const QRgb pixel = page.pixel(x, y);
                Band* in = nullptr;
                for (Band& b : bands)
                    if (b.rect.contains(x, y))
                        in = &b;
                const bool inPicture = row.picture.contains(x, y);
                if (in && pixel != kWhite) {
                    ++in->inked;
                    in->left = std::min(in->left, x);
                    in->right = std::max(in->right, x);
                    in->darkest = std::min(in->darkest, std::max({qRed(pixel), qGreen(pixel), qBlue(pixel)}));
                }
                if ((in ? inPicture : pixel != (inPicture ? kKeyColour : kWhite)) && misplaced++ == 0) {
                    firstMisplaced = {x, y};
                    firstColour = pixel;
                }
            }
        EXPECT_EQ(misplaced, 0) << where(row) << ": pixels out of place, the first at " << at(firstMisplaced)
                                << " colour " << std::hex << firstColour;

        // Each line is printed, in black, from its left edge: the first glyph touches it (the finger
        // names, and the guide's first line), or stands off it by at most the 3 px a kana leaves. The
        // finger names are 26 full-width characters and 8 blanks of the fixed-pitch face, 360 px, so
        // each stands over its keys.
        int guideLeft = 640;
        for (std::size_t i = 0; i < bands.size(); ++i) {
            const Band& b = bands[i];
            const std::string line = where(row) + ", line at " + at(b.rect.topLeft() + QPoint(0, 1));
            EXPECT_GT(b.inked, 0) << line;
            EXPECT_LT(b.darkest, 64) << line;
            EXPECT_LE(b.left - b.rect.left(), 3) << line << " begins at x " << b.left;
            if (i > 0)
                guideLeft = std::min(guideLeft, b.left);
        }
        EXPECT_EQ(bands[0].left, row.fingerLine.x()) << where(row) << ": finger line";
        EXPECT_EQ(guideLeft, row.textLeft) << where(row) << ": guide lines";
        EXPECT_EQ(bands[0].right + 1 - row.fingerLine.x(), 360) << where(row) << ": finger line's width";

        EXPECT_EQ(h.p.fakeForms.window, scaledTo(page, row.client)) << where(row) << ": page not shown";
        EXPECT_TRUE(h.p.fakeForms.okButtonVisible) << where(row);
        EXPECT_EQ(h.p.fakeForms.okButtonRect, row.okButton) << where(row);

        // OK brings back the bare background, in the buffer and on the window, and hides itself.
        h.s.gPlaying = row.playing;
        command1Click(h.s, h.p);
        EXPECT_EQ(page, h.s.BackPicture) << where(row) << ", playing " << row.playing;
        EXPECT_EQ(h.p.fakeForms.window, scaledTo(h.s.BackPicture, row.client)) << where(row);
        EXPECT_FALSE(h.p.fakeForms.okButtonVisible) << where(row);
        EXPECT_EQ(h.p.fakeForms.okButtonRect, row.okButton) << where(row) << ": the hidden button moved";
    }
}

} // namespace
} // namespace zunaka
