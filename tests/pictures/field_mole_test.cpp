// The mole pictures and their masks, checked the way the game uses them: clean black and white masks that
// agree with their pictures, solid bodies, and caught moles that keep their awake outline.
#include "field_scene.h"
#include "picture_support.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

using namespace field;
using namespace picturetest;

namespace {

const QRect kMole(0, 0, kMoleWidth, kMoleHeight);
// JPEG leaves a few soft pixels on a sharp black/white edge even at quality 100.
constexpr int kMaxGreyMaskPixels = 8;
// Under the mask's black the game shows the picture: a pixel this close to white there is a pale halo.
constexpr int kWhiteFloor = 245;
// Under the mask's white the game ANDs the picture into the meadow, which lowers a channel by at most 255
// minus the picture's; below this floor the meadow would show a fringe.
constexpr int kFringeFloor = 215;
constexpr int kMaxFringePixels = 6;
// Stars and a bump may change the caught outline a little, not its shape; the face must change.
constexpr double kMaxCaughtOutlineChange = 0.03;
constexpr int kCaughtPixelStep = 60;
constexpr int kMinCaughtChangedPixels = 150;

// White mask pixels that cannot be reached from the border through white: holes in the body.
int enclosedWhite(const QImage& mask)
{
    std::vector<char> reached(kMoleWidth * kMoleHeight, 0);
    std::vector<QPoint> todo;
    const auto visit = [&](int x, int y) {
        if (kMole.contains(x, y) && !reached[y * kMoleWidth + x] && !maskBlack(mask, x, y))
            reached[y * kMoleWidth + x] = 1, todo.emplace_back(x, y);
    };
    for (int i = 0; i < kMoleWidth + kMoleHeight; ++i)
        visit(i, 0), visit(i, kMoleHeight - 1), visit(0, i), visit(kMoleWidth - 1, i);
    while (!todo.empty()) {
        const QPoint q = todo.back();
        todo.pop_back();
        visit(q.x() + 1, q.y()), visit(q.x() - 1, q.y()), visit(q.x(), q.y() + 1), visit(q.x(), q.y() - 1);
    }
    return find(mask, {}, kMole, [&](int x, int y, QRgb) { return !maskBlack(mask, x, y) && !reached[y * kMoleWidth + x]; }).count;
}

} // namespace

// Each look, awake and caught: a clean solid mask that agrees with its picture; caught, the same outline
// with another face.
TEST(FieldMole, MasksAreCleanSolidAndAgreeWithTheirPicturesAndCaughtChangesOnlyTheFace)
{
    for (int look = 1; look <= kLookCount; ++look) {
        for (int n : {look, look + kLookCount}) {
            const QImage picture = loadDeta(molePictureName(n));
            const QImage mask = loadDeta(moleMaskName(n));
            ASSERT_EQ(picture.size(), kMole.size()) << molePictureName(n).toStdString();
            ASSERT_EQ(mask.size(), kMole.size()) << moleMaskName(n).toStdString();
            const Found grey = find(mask, moleMaskName(n), kMole,
                                    [&](int x, int y, QRgb) { return !maskBlack(mask, x, y) && !maskWhite(mask, x, y); });
            const Found halo = find(picture, molePictureName(n), kMole,
                                    [&](int x, int y, QRgb c) { return maskBlack(mask, x, y) && minChannel(c) >= kWhiteFloor; });
            const Found fringe = find(picture, molePictureName(n), kMole,
                                      [&](int x, int y, QRgb c) { return maskWhite(mask, x, y) && minChannel(c) < kFringeFloor; });
            EXPECT_LE(grey.count, kMaxGreyMaskPixels) << "grey mask: " << grey;
            EXPECT_EQ(halo.count, 0) << "white under the mask's black: " << halo;
            EXPECT_LE(fringe.count, kMaxFringePixels) << "drawing outside the mask: " << fringe;
            EXPECT_EQ(enclosedWhite(mask), 0) << moleMaskName(n).toStdString() << ": the meadow shows through the body";
        }
        const QImage awake = loadDeta(molePictureName(look)), awakeMask = loadDeta(moleMaskName(look));
        const QImage caught = loadDeta(molePictureName(look + kLookCount));
        const QImage caughtMask = loadDeta(moleMaskName(look + kLookCount));
        const int area = find(awakeMask, {}, kMole, [&](int x, int y, QRgb) { return maskBlack(awakeMask, x, y); }).count;
        const Found outline = find(caughtMask, moleMaskName(look + kLookCount), kMole, [&](int x, int y, QRgb) {
            return maskBlack(awakeMask, x, y) != maskBlack(caughtMask, x, y);
        });
        const int changed = find(caught, {}, kMole, [&](int x, int y, QRgb c) {
            const QRgb a = awake.pixel(x, y);
            return std::abs(qRed(a) - qRed(c)) + std::abs(qGreen(a) - qGreen(c)) + std::abs(qBlue(a) - qBlue(c))
                   > kCaughtPixelStep;
        }).count;
        EXPECT_LE(outline.count, area * kMaxCaughtOutlineChange) << "look " << look << " of " << area << ": " << outline;
        EXPECT_GE(changed, kMinCaughtChangedPixels) << "look " << look << " looks the same when caught";
    }
}
