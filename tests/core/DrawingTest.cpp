#include "Harness.h"
#include "holes/DrawMole.h"
#include "holes/HoleMotion.h"
#include "moji/Status.h"
#include "platform/Blit.h"

#include <gtest/gtest.h>

namespace zunaka {
namespace {

using test::Harness;
using test::pattern;
using test::solid;

// A game's state after start-up on a full-size or small screen, with a patterned background and buffer.
Harness drawing(bool fullSize = true)
{
    Harness h;
    h.p.screenSize = fullSize ? ScreenSize{1024, 768} : ScreenSize{640, 480};
    setWindowSize(h.p);
    h.setUp();
    h.s.BackPicture = pattern(640, 480, 1);
    h.s.AllPicture = solid(qRgb(255, 0, 0), 640, 480);
    h.p.fakeForms.window.fill(qRgb(0, 0, 255));
    return h;
}

// Draws the mole of `hole` with `visible` rows out, as its motion step would.
void drawAt(Harness& h, int hole, int visible)
{
    h.s.gHoleRect[hole].top = h.s.gHoleBottom[hole] - visible;
    const HoleLook look = holeLooks()[hole];
    drawMole(h.s, h.p, hole, look.picture, visible, look.textX, look.textY);
}

QRect column(const Harness& h, int hole)
{
    return {h.s.gHoleRect[hole].left, h.s.gHoleTop[hole], 125, h.s.gHoleBottom[hole] - h.s.gHoleTop[hole]};
}

TEST(Drawing, AMoleIsTheBackgroundOrNotItsMaskAndItsPictureCutOffAtItsHole)
{
    for (int hole = 1; hole <= kHoleCount; ++hole) {
        const int travel = column(drawing(), hole).height();
        for (const int visible : {0, 20, travel}) {
            Harness h = drawing();
            const int k = holeLooks()[hole].picture;
            h.s.gZunMask[k] = pattern(125, 145, 7);
            h.s.gZunImage[k] = pattern(125, 145, 13);
            const QImage before = h.s.AllPicture;
            const QImage windowBefore = h.p.fakeForms.window;
            drawAt(h, hole, visible);

            const int left = h.s.gHoleRect[hole].left, top = h.s.gHoleRect[hole].top;
            const int bottom = h.s.gHoleBottom[hole];
            const QRect cleared(left, top - 20, 125, visible + 20);
            for (int y = 0; y < 480; ++y)
                for (int x = 0; x < 640; ++x) {
                    QRgb expected = before.pixel(x, y);
                    if (cleared.contains(x, y))
                        expected = y < top ? h.s.BackPicture.pixel(x, y)
                                           : (h.s.BackPicture.pixel(x, y) | ~h.s.gZunMask[k].pixel(x - left, y - top)) &
                                                 h.s.gZunImage[k].pixel(x - left, y - top);
                    ASSERT_EQ(h.s.AllPicture.pixel(x, y) & 0xffffff, expected & 0xffffff)
                        << "hole " << hole << ", visible " << visible << ", at " << x << "," << y
                        << (y >= bottom ? " (below the hole's edge)" : "");
                    // The window shows the hole's column and nothing else changes there.
                    const QRgb shown = column(h, hole).contains(x, y) ? h.s.AllPicture.pixel(x, y) : windowBefore.pixel(x, y);
                    ASSERT_EQ(h.p.fakeForms.window.pixel(x, y), shown) << "window, hole " << hole << " at " << x << "," << y;
                }
        }
    }
}

TEST(Drawing, OnASmallScreenAFrameSendsThePlayfieldBelowTheStripScaled)
{
    Harness h = drawing(false);
    drawAt(h, 4, 60);
    const auto& blits = h.p.fakeForms.windowBlits;
    ASSERT_FALSE(blits.empty());
    EXPECT_EQ(blits.back().from, QRect(0, 80, 640, 400));
    EXPECT_EQ(blits.back().to, QRect(0, 80, 634, 356));
}

// How the mole of `hole` looks: which of the solid-coloured pictures it was drawn from, and the bounding box
// of the character's exact colour.
struct Look {
    QRgb colour;
    QRect character;
};

Look lookOf(const Harness& h, int hole, QRgb characterColour)
{
    const int left = h.s.gHoleRect[hole].left, top = h.s.gHoleRect[hole].top;
    Look look{h.s.AllPicture.pixel(left + 1, h.s.gHoleBottom[hole] - 1), {}};
    for (int y = top; y < h.s.gHoleBottom[hole]; ++y)
        for (int x = left; x < left + 125; ++x)
            if (h.s.AllPicture.pixel(x, y) == characterColour)
                look.character |= QRect(x, y, 1, 1);
    return look;
}

// Moles that cover their whole picture, each look in its own colour, in pictures `scale` times the size
// they are drawn at.
void solidMoles(Harness& h, int scale)
{
    for (int k = 1; k <= kMolePictureCount; ++k) {
        h.s.gZunImage[k] = solid(qRgb(20 * k, 255 - 20 * k, 250), 125 * scale, 145 * scale);
        h.s.gZunMask[k] = solid(qRgb(0, 0, 0), 125 * scale, 145 * scale);
    }
}

// The character is the same whatever the size of the pictures in the data folder.
TEST(Drawing, TheCharacterRidesTheMoleInItsColourUntilTheMoleIsCaught)
{
    QRect drawnAtOwnSize;
    for (const auto& [hole, scale] : {std::pair{1, 1}, {1, 2}, {2, 1}, {6, 1}, {6, 2}}) {
        Harness h = drawing();
        solidMoles(h, scale);
        const QRgb ink = qRgb(10, 20, 200);
        h.s.gHoleMoji[hole] = "W";
        h.s.gMojiRed[hole] = 10, h.s.gMojiGreen[hole] = 20, h.s.gMojiBlue[hole] = 200;
        const int k = holeLooks()[hole].picture;

        drawAt(h, hole, 120);
        const Look up = lookOf(h, hole, ink);
        drawAt(h, hole, 100);
        const Look lower = lookOf(h, hole, ink);
        h.s.gHoleCaught[hole] = true;
        drawAt(h, hole, 80);
        const Look caught = lookOf(h, hole, ink);

        EXPECT_EQ(up.colour, h.s.gZunImage[k].pixel(0, 0)) << "hole " << hole;
        ASSERT_FALSE(up.character.isEmpty()) << "hole " << hole;
        // The hole's edge may cut off the character's lower rows.
        EXPECT_EQ(lower.character.topLeft(), up.character.topLeft() + QPoint(0, 20)) << "hole " << hole;
        EXPECT_EQ(lower.character.width(), up.character.width()) << "hole " << hole;
        EXPECT_EQ(caught.colour, h.s.gZunImage[k + 4].pixel(0, 0)) << "hole " << hole << ": its caught look";
        EXPECT_TRUE(caught.character.isEmpty()) << "hole " << hole << ": a caught mole carries no character";
        if (scale == 1)
            drawnAtOwnSize = up.character;
        else
            EXPECT_EQ(up.character, drawnAtOwnSize) << "hole " << hole << ", pictures at " << scale << " times the size";
    }
}

TEST(Drawing, TheStripIsRedrawnFromTheBackgroundSoNoDigitSmears)
{
    for (const bool wide : {true, false}) {
        Harness fresh = drawing(wide), reused = drawing(wide);
        const auto print = wide ? printStatusWide : printStatusNarrow;
        reused.s.gPopCount = 9, reused.s.gHitCount = 8;
        print(reused.s, reused.p);
        reused.s.gPopCount = 10, reused.s.gHitCount = 1;
        print(reused.s, reused.p);
        fresh.s.gPopCount = 10, fresh.s.gHitCount = 1;
        print(fresh.s, fresh.p);
        // A mole drawn below the strip: the window holds the strip already, and sent again it would
        // repaint the key box in front of it.
        const std::size_t sent = fresh.p.fakeForms.windowBlits.size();
        fresh.s.AllPicture.setPixel(300, 300, qRgb(255, 0, 0));
        print(fresh.s, fresh.p);
        EXPECT_EQ(fresh.p.fakeForms.windowBlits.size(), sent) << wide;
        // A frame with the same counts over a strip scribbled on (the guide page, a test) prints it again.
        reused.s.AllPicture.fill(qRgb(0, 255, 0));
        print(reused.s, reused.p);

        const int rows = wide ? 100 : 80;
        EXPECT_EQ(reused.s.AllPicture.copy(0, 0, 640, rows), fresh.s.AllPicture.copy(0, 0, 640, rows)) << wide;
        EXPECT_NE(fresh.s.AllPicture.copy(0, 0, 640, rows), fresh.s.BackPicture.copy(0, 0, 640, rows)) << wide;
        EXPECT_EQ(fresh.s.AllPicture.copy(0, rows, 640, 480 - rows), solid(qRgb(255, 0, 0), 640, 480 - rows)) << wide;
        const auto& blit = fresh.p.fakeForms.windowBlits.back();
        EXPECT_EQ(blit.from, QRect(0, 0, 640, rows)) << wide;
        EXPECT_EQ(blit.to, QRect(0, 0, fresh.p.fakeForms.window.width(), wide ? 100 : 73)) << wide;
    }
}

} // namespace
} // namespace zunaka
