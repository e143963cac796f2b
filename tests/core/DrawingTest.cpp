#include "Harness.h"
#include "holes/HoleMotion.h"
#include "moji/PrintMoji.h"
#include "moji/Status.h"

#include <gtest/gtest.h>

namespace zunaka {
namespace {

using test::Harness;

// Every character of the lessons, printed where its hole prints it on the mole, lies within the mole's
// width and the rows of it that stand out of the hole when it is fully up: the player sees all of it at
// the height where the mole can be caught. The ink is found in the printed pixels, not the font's metrics.
TEST(Drawing, EveryCharacterFitsOnAFullyRisenMoleOfEveryHole)
{
    Harness h;
    h.setUp();
    for (int hole = 1; hole <= kHoleCount; ++hole) {
        const HoleLook look = holeLooks()[hole];
        const QRect shown(0, 0, kMoleWidth, h.s.gHoleBottom[hole] - h.s.gHoleTop[hole]);
        for (int n = 1; n <= kMojiTableSize; ++n) {
            h.s.gHoleMoji[hole] = h.s.gMojiTable[n];
            QImage mole(kMoleWidth, kMoleHeight, QImage::Format_RGB32);
            mole.fill(Qt::black);
            printMojiOn(mole, h.s, hole, qRgb(255, 255, 255), look.textX, look.textY);
            QRect ink;
            for (int y = 0; y < mole.height(); ++y)
                for (int x = 0; x < mole.width(); ++x)
                    if (mole.pixel(x, y) != qRgb(0, 0, 0))
                        ink |= QRect(x, y, 1, 1);
            EXPECT_FALSE(ink.isEmpty()) << h.s.gMojiTable[n];
            EXPECT_TRUE(shown.contains(ink))
                << "hole " << hole << ", " << h.s.gMojiTable[n] << ": ink from (" << ink.left() << ", " << ink.top()
                << ") to (" << ink.right() << ", " << ink.bottom() << "), the mole shows rows 0 to " << shown.bottom();
        }
    }
}

// A frame whose counts are printed already sends nothing: sent again, the strip would repaint the key box
// in front of it. One whose strip was drawn over (the guide page closed during a game) prints it again.
TEST(Drawing, TheStripIsSentOnlyWhenItChanged)
{
    for (const bool wide : {true, false}) {
        Harness h;
        h.p.screenSize = wide ? ScreenSize{1024, 768} : ScreenSize{640, 480};
        setWindowSize(h.p);
        h.setUp();
        const auto print = wide ? printStatusWide : printStatusNarrow;
        h.s.gPopCount = 10, h.s.gHitCount = 1;
        print(h.s, h.p);
        const QImage printed = h.s.AllPicture.copy();
        const std::size_t sent = h.p.fakeForms.windowBlits.size();
        h.s.AllPicture.setPixel(300, 300, qRgb(255, 0, 0));
        print(h.s, h.p);
        EXPECT_EQ(h.p.fakeForms.windowBlits.size(), sent) << wide;
        h.s.AllPicture.fill(qRgb(0, 255, 0));
        print(h.s, h.p);
        const int rows = wide ? 100 : 80;
        EXPECT_EQ(h.s.AllPicture.copy(0, 0, 640, rows), printed.copy(0, 0, 640, rows)) << wide;
        EXPECT_EQ(h.p.fakeForms.windowBlits.size(), sent + 1) << wide;
    }
}

} // namespace
} // namespace zunaka
