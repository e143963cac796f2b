// The mole pictures and their masks, checked the way the game uses them: masks that are clean black and
// white, pictures that match their masks at the outline, caught moles that keep their awake outline.
#include "field_support.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

using namespace field;
using namespace fieldtest;

namespace {

// JPEG leaves a few soft pixels on a sharp black/white edge even at quality 100.
constexpr int kMaxGreyMaskPixels = 8;
// A picture pixel this close to white in every channel counts as white ground.
constexpr int kWhiteFloor = 245;
// Beyond this change a background pixel under the mask's white shows a fringe.
constexpr int kFringeChannelStep = 40;
constexpr int kMaxFringePixels = 6;
// Stars and a bump may change the caught outline a little, not its shape.
constexpr double kMaxCaughtOutlineChange = 0.03;
constexpr int kMinCaughtChangedPixels = 150;
constexpr int kCaughtPixelStep = 60;
// A mole that begins to rise shows its first 20 rows; its head must be there.
constexpr int kFirstStepRows = 20;
constexpr int kMinHeadPixelsInFirstStep = 400;
constexpr int kMinWidthAtCut = 90;

struct Pair {
    int number;
    QImage picture;
    QImage mask;
};

Pair loadPair(int number)
{
    return {number, loadDeta(molePictureName(number)), loadDeta(moleMaskName(number))};
}

std::vector<Pair> allPairs()
{
    std::vector<Pair> pairs;
    for (int n = 1; n <= 2 * kLookCount; ++n)
        pairs.push_back(loadPair(n));
    return pairs;
}

int blackCount(const QImage& mask)
{
    int count = 0;
    for (int y = 0; y < mask.height(); ++y)
        for (int x = 0; x < mask.width(); ++x)
            count += maskBlack(mask, x, y);
    return count;
}

} // namespace

TEST(FieldMole, PicturesAndMasksHaveTheMoleSize)
{
    for (const Pair& p : allPairs()) {
        SCOPED_TRACE(molePictureName(p.number).toStdString());
        ASSERT_FALSE(p.picture.isNull());
        ASSERT_FALSE(p.mask.isNull());
        EXPECT_EQ(p.picture.size(), QSize(kMoleWidth, kMoleHeight));
        EXPECT_EQ(p.mask.size(), QSize(kMoleWidth, kMoleHeight));
    }
}

TEST(FieldMole, MasksAreBlackAndWhiteOnly)
{
    for (const Pair& p : allPairs()) {
        int grey = 0;
        for (int y = 0; y < kMoleHeight; ++y)
            for (int x = 0; x < kMoleWidth; ++x)
                grey += !maskBlack(p.mask, x, y) && !maskWhite(p.mask, x, y);
        EXPECT_LE(grey, kMaxGreyMaskPixels) << moleMaskName(p.number).toStdString();
    }
}

// Where the mask is black the game shows the picture; a white pixel there would be a pale halo.
TEST(FieldMole, MaskBlackOnlyWherePictureIsDrawn)
{
    for (const Pair& p : allPairs()) {
        int white = 0;
        std::string first;
        for (int y = 0; y < kMoleHeight; ++y)
            for (int x = 0; x < kMoleWidth; ++x) {
                const QRgb c = p.picture.pixel(x, y);
                if (maskBlack(p.mask, x, y) && std::min({qRed(c), qGreen(c), qBlue(c)}) >= kWhiteFloor) {
                    if (white++ == 0)
                        first = describe(molePictureName(p.number), x, y, c);
                }
            }
        EXPECT_EQ(white, 0) << "white under the mask, first at " << first;
    }
}

// Where the mask is white the game ANDs the picture into the background, so anything but white there
// would tint the meadow around the mole. Checked on the real background at every hole.
TEST(FieldMole, BackgroundStaysUnchangedOutsideTheMask)
{
    const QImage back = loadDeta(QStringLiteral("Back.jpg"));
    ASSERT_FALSE(back.isNull());
    for (const Hole& hole : kHoles) {
        for (int caught = 0; caught <= 1; ++caught) {
            const Pair p = loadPair(hole.look + caught * kLookCount);
            const QImage piece = back.copy(hole.left, hole.top, kMoleWidth, kMoleHeight);
            const QImage mole = composeMole(piece, p.mask, p.picture);
            int fringe = 0;
            std::string first;
            for (int y = 0; y < hole.travel(); ++y)
                for (int x = 0; x < kMoleWidth; ++x) {
                    if (!maskWhite(p.mask, x, y))
                        continue;
                    const QRgb was = piece.pixel(x, y);
                    const QRgb now = mole.pixel(x, y);
                    const int step = std::max({std::abs(qRed(was) - qRed(now)), std::abs(qGreen(was) - qGreen(now)),
                                               std::abs(qBlue(was) - qBlue(now))});
                    if (step > kFringeChannelStep && fringe++ == 0)
                        first = describe(molePictureName(p.number), x, y, p.picture.pixel(x, y));
                }
            EXPECT_LE(fringe, kMaxFringePixels)
                << "hole at x " << hole.left << ", " << molePictureName(p.number).toStdString()
                << ": first fringe pixel " << first;
        }
    }
}

// The mole is solid: no white inside its outline, where the meadow would show through the body.
TEST(FieldMole, MasksHaveNoHolesInside)
{
    for (const Pair& p : allPairs()) {
        std::vector<char> reached(kMoleWidth * kMoleHeight, 0);
        std::vector<QPoint> stack;
        auto visit = [&](int x, int y) {
            if (x < 0 || y < 0 || x >= kMoleWidth || y >= kMoleHeight || reached[y * kMoleWidth + x]
                || maskBlack(p.mask, x, y))
                return;
            reached[y * kMoleWidth + x] = 1;
            stack.emplace_back(x, y);
        };
        for (int x = 0; x < kMoleWidth; ++x) {
            visit(x, 0);
            visit(x, kMoleHeight - 1);
        }
        for (int y = 0; y < kMoleHeight; ++y) {
            visit(0, y);
            visit(kMoleWidth - 1, y);
        }
        while (!stack.empty()) {
            const QPoint q = stack.back();
            stack.pop_back();
            visit(q.x() + 1, q.y());
            visit(q.x() - 1, q.y());
            visit(q.x(), q.y() + 1);
            visit(q.x(), q.y() - 1);
        }
        int enclosed = 0;
        for (int y = 0; y < kMoleHeight; ++y)
            for (int x = 0; x < kMoleWidth; ++x)
                enclosed += !maskBlack(p.mask, x, y) && !reached[y * kMoleWidth + x];
        EXPECT_EQ(enclosed, 0) << moleMaskName(p.number).toStdString();
    }
}

TEST(FieldMole, CaughtMoleKeepsItsOutlineButChangesItsFace)
{
    for (int look = 1; look <= kLookCount; ++look) {
        const Pair awake = loadPair(look);
        const Pair caught = loadPair(look + kLookCount);
        int outlineChange = 0;
        int changed = 0;
        for (int y = 0; y < kMoleHeight; ++y)
            for (int x = 0; x < kMoleWidth; ++x) {
                outlineChange += maskBlack(awake.mask, x, y) != maskBlack(caught.mask, x, y);
                const QRgb a = awake.picture.pixel(x, y);
                const QRgb c = caught.picture.pixel(x, y);
                changed += std::abs(qRed(a) - qRed(c)) + std::abs(qGreen(a) - qGreen(c))
                               + std::abs(qBlue(a) - qBlue(c))
                           > kCaughtPixelStep;
            }
        const int area = blackCount(awake.mask);
        EXPECT_LE(outlineChange, area * kMaxCaughtOutlineChange)
            << "look " << look << ": " << outlineChange << " of " << area << " mask pixels differ";
        EXPECT_GE(changed, kMinCaughtChangedPixels) << "look " << look << " looks the same when caught";
    }
}

// Every hole cuts its mole at its own travel: the head must show in the first step, and the body must
// still fill the cut row when the mole is fully up, or it would float above the rim.
TEST(FieldMole, MoleShowsAtFirstStepAndFillsTheCutRow)
{
    for (const Hole& hole : kHoles) {
        for (int caught = 0; caught <= 1; ++caught) {
            const Pair p = loadPair(hole.look + caught * kLookCount);
            int head = 0;
            for (int y = 0; y < kFirstStepRows; ++y)
                for (int x = 0; x < kMoleWidth; ++x)
                    head += maskBlack(p.mask, x, y);
            int cut = 0;
            for (int x = 0; x < kMoleWidth; ++x)
                cut += maskBlack(p.mask, x, hole.travel() - 1);
            const std::string what = molePictureName(p.number).toStdString() + " at hole left "
                                     + std::to_string(hole.left) + ", travel " + std::to_string(hole.travel());
            EXPECT_GE(head, kMinHeadPixelsInFirstStep) << what;
            EXPECT_GE(cut, kMinWidthAtCut) << what;
        }
    }
}
