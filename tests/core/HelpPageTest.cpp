#include "Harness.h"
#include "help/HelpPage.h"
#include "platform/Blit.h"
#include "platform/Fonts.h"
#include "screen/WindowSize.h"

#include <QFontMetrics>
#include <QPainter>

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <string>
#include <vector>

namespace zunaka {
namespace {

const QRgb kKeyColour = qRgb(0x40, 0xA0, 0xD0);

struct Layout {
    QSize client;
    QRect picture;
    QPoint fingerLine;
    std::array<int, 9> lineTops;  // the guide's lines, at the picture's left edge
    QRect okButton;
    bool playing;  // a game started while the page is up: OK closes it all the same
};

const Layout kLayouts[] = {
    {{640, 480}, {64, 35, 512, 192}, {94, 20}, {247, 267, 287, 327, 347, 367, 387, 407, 427},
     {540, 440, 80, 30}, false},
    // The small screen's client: 507.2 x 174.4 px of keyboard, its left edge at 63.5 rounds to the even 64.
    {{634, 436}, {64, 35, 507, 174}, {94, 20}, {229, 249, 269, 309, 329, 349, 369, 389, 409},
     {534, 396, 80, 30}, true},
    // Another window frame's client: 500.8 px of keyboard, its left edge at 62.5 rounds to the even 62.
    {{626, 440}, {62, 35, 501, 176}, {92, 20}, {231, 251, 271, 311, 331, 351, 371, 391, 411},
     {526, 400, 80, 30}, false},
};

// Where in `band` the page is not white, and the brightest channel of its darkest pixel (near 0 for black).
struct Ink { QRect box; int darkest = 255; };
Ink inkIn(const QImage& page, const QRect& band)
{
    Ink ink;
    for (int y = band.top(); y <= band.bottom(); ++y)
        for (int x = band.left(); x <= band.right(); ++x)
            if (const QRgb c = page.pixel(x, y); c != qRgb(255, 255, 255)) {
                ink.box |= QRect(x, y, 1, 1);
                ink.darkest = std::min(ink.darkest, std::max({qRed(c), qGreen(c), qBlue(c)}));
            }
    return ink;
}

std::string firstDifference(const QImage& actual, const QImage& expected)
{
    for (int y = 0; y < actual.height(); ++y)
        for (int x = 0; x < actual.width(); ++x)
            if (actual.pixel(x, y) != expected.pixel(x, y))
                return "at (" + std::to_string(x) + ", " + std::to_string(y) + ") " +
                       QColor(actual.pixel(x, y)).name().toStdString() + ", expected " +
                       QColor(expected.pixel(x, y)).name().toStdString();
    return "none";
}

std::string text(const QRect& r)
{
    return "(" + std::to_string(r.x()) + ", " + std::to_string(r.y()) + ") " + std::to_string(r.width()) + "x" +
           std::to_string(r.height());
}

QImage scaledTo(const QImage& buffer, QSize size)
{
    QImage window(size, QImage::Format_RGB32);
    stretchBlt(window, window.rect(), buffer, buffer.rect());
    return window;
}

// Outside the lines' cells the page is white with the keyboard exactly in its rectangle, so a baseline
// taken for the top, a line out of place, a picture unscaled or rounded the other way, or a playfield
// left behind shows as a pixel out of place.
TEST(HelpPage, EveryPixelWhereTheLayoutPutsItAndOkBringsBackTheBackground)
{
    for (const Layout& row : kLayouts) {
        const std::string what = std::to_string(row.client.width()) + "x" + std::to_string(row.client.height());
        test::Harness h;
        h.p.fakeForms.setMainClientSize(row.client.width(), row.client.height());
        arrangeControls(h.s, h.p);
        h.s.BackPicture.fill(Qt::green);
        h.s.AllPicture.fill(Qt::red);
        h.p.fakeForms.window.fill(Qt::red);
        // Of no layout's size, so that it lands right only when scaled into its rectangle.
        h.s.gKeyImage = QImage(64, 24, QImage::Format_RGB32);
        h.s.gKeyImage.fill(kKeyColour);

        drawHelpPage(h.s, h.p);

        // The face's glyphs reach a pixel above the ascent it declares: each cell is taken from a pixel above.
        const auto cell = [](QPoint at, int px) {
            return QRect(at.x(), at.y() - 1, 640 - at.x(), QFontMetrics(fixedGothic(px)).height() + 1);
        };
        std::vector<QRect> lines{cell(row.fingerLine, 12)};
        for (int top : row.lineTops)
            lines.push_back(cell({row.picture.left(), top}, 13));
        QImage outside = h.s.AllPicture, expected(outside.size(), QImage::Format_RGB32);
        expected.fill(Qt::white);
        {
            QPainter onExpected(&expected), onOutside(&outside);
            onExpected.fillRect(row.picture, QColor(kKeyColour));
            for (const QRect& line : lines) {
                onExpected.fillRect(line, Qt::white);
                onOutside.fillRect(line, Qt::white);
            }
        }
        EXPECT_EQ(firstDifference(outside, expected), "none") << what;

        // Every line printed in black; those that begin with a kanji touch the left edge.
        int left = 640;
        for (const QRect& line : lines) {
            const Ink ink = inkIn(h.s.AllPicture, line);
            EXPECT_LT(ink.darkest, 64) << what << ", line at y " << line.top() + 1;
            left = std::min(left, ink.box.left());
        }
        EXPECT_EQ(left, row.picture.left()) << what;
        // 26 full-width characters and 8 blanks of the fixed-pitch face, so that each name is over its keys.
        const QRect names = inkIn(h.s.AllPicture, lines[0]).box;
        EXPECT_EQ(text(names), text(QRect(row.fingerLine.x(), names.top(), 360, names.height()))) << what;

        EXPECT_EQ(firstDifference(h.p.fakeForms.window, scaledTo(h.s.AllPicture, row.client)), "none") << what;
        EXPECT_TRUE(h.p.fakeForms.okButtonVisible) << what;
        EXPECT_EQ(text(h.p.fakeForms.okButtonRect), text(row.okButton)) << what;

        h.s.gPlaying = row.playing;
        command1Click(h.s, h.p);
        EXPECT_EQ(firstDifference(h.s.AllPicture, h.s.BackPicture), "none") << what;
        EXPECT_EQ(firstDifference(h.p.fakeForms.window, scaledTo(h.s.BackPicture, row.client)), "none") << what;
        EXPECT_FALSE(h.p.fakeForms.okButtonVisible) << what;
        EXPECT_EQ(text(h.p.fakeForms.okButtonRect), text(row.okButton)) << what << ": the hidden button moved";
    }
}

} // namespace
} // namespace zunaka
