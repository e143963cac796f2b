// Back.jpg and the moles against the hole geometry: each hole's dark opening ends on the row where the game
// cuts its mole off, the mole fills that row, the key printed on it lands on light fur, and the counters'
// band stays light.
#include "field_scene.h"
#include "picture_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

using namespace field;
using namespace picturetest;

namespace {

const QString kBack = QStringLiteral("Back.jpg");
constexpr int kMaxOpeningLuma = 70;
constexpr int kMinLipLuma = 140;
// Columns this far in from the mole's sides; the body of every look lies between them.
constexpr int kSideMargin = 12;
// The opening stays dark this far up, so a mole one step out stands in front of it.
constexpr int kOpeningDepth = 20;
constexpr int kLipDepth = 5;
// A mole that begins to rise shows its first 20 rows; its head must be there.
constexpr int kFirstStepRows = 20;
constexpr int kMinHeadPixelsInFirstStep = 400;
constexpr int kMinWidthAtCut = 90;
// Key colours have components of at most 200, so fur at least this light keeps every key readable.
constexpr int kMinPatchLuma = 215;
const QString kKeys = QStringLiteral("1234567890QWERTYUIOP@[ASDFGHJKL;:]ZXCVBNM,./");
// Where the game prints its red and orange counters, 40 px high from row 23, room for three digits.
const QRect kCounterBoxes[] = {{65, 23, 260, 44}, {390, 23, 250, 44}};
constexpr int kMinTextGroundLuma = 190;

} // namespace

TEST(FieldHole, OpeningEndsOnTheCutRowAndTheMoleFillsIt)
{
    const QImage back = loadDeta(kBack);
    ASSERT_EQ(back.size(), QSize(kFieldWidth, kFieldHeight));
    for (std::size_t i = 0; i < kHoles.size(); ++i) {
        const Hole& h = kHoles[i];
        SCOPED_TRACE("hole " + std::to_string(i + 1));
        const int left = h.left + kSideMargin, width = kMoleWidth - 2 * kSideMargin;
        const Found light = find(back, kBack, QRect(left, h.bottom - kOpeningDepth, width, kOpeningDepth),
                                 [](int, int, QRgb c) { return luma(c) > kMaxOpeningLuma; });
        const Found dark = find(back, kBack, QRect(left, h.bottom + 1, width, kLipDepth),
                                [](int, int, QRgb c) { return luma(c) < kMinLipLuma; });
        EXPECT_EQ(light.count, 0) << "opening not dark above the cut row: " << light;
        // The opening is centred on the mole's column: a mole must not rise out of the hole's rim.
        int first = kFieldWidth, last = -1;
        find(back, kBack, QRect(h.left - 40, h.bottom - kOpeningDepth / 2, kMoleWidth + 80, 1), [&](int x, int, QRgb c) {
            if (luma(c) <= kMaxOpeningLuma)
                first = std::min(first, x), last = std::max(last, x);
            return false;
        });
        EXPECT_NEAR((first + last) / 2.0, h.left + kMoleWidth / 2.0, 3) << "opening off the mole's column: " << first
                                                                          << ".." << last;
        EXPECT_EQ(dark.count, 0) << "lip not light below the cut row: " << dark;
        for (int n : {h.look, h.look + kLookCount}) {
            const QImage mask = loadDeta(moleMaskName(n));
            const auto black = [&](int x, int y, QRgb) { return maskBlack(mask, x, y); };
            const int head = find(mask, {}, QRect(0, 0, kMoleWidth, kFirstStepRows), black).count;
            const int cut = find(mask, {}, QRect(0, h.travel() - 1, kMoleWidth, 1), black).count;
            EXPECT_GE(head, kMinHeadPixelsInFirstStep) << moleMaskName(n).toStdString() << ": no head in the first step";
            EXPECT_GE(cut, kMinWidthAtCut) << moleMaskName(n).toStdString() << " floats above the rim";
        }
    }
}

// Every pixel of every key's ink, printed at the hole's text origin, must be inside the mole, on light fur
// and above the cut row.
TEST(FieldHole, EveryKeyLandsOnALightPatchOfTheMole)
{
    for (std::size_t i = 0; i < kHoles.size(); ++i) {
        const Hole& h = kHoles[i];
        const QString name = molePictureName(h.look);
        const QImage picture = loadDeta(name), mask = loadDeta(moleMaskName(h.look));
        ASSERT_FALSE(picture.isNull() || mask.isNull()) << name.toStdString();
        for (QChar key : kKeys) {
            QImage ink(kMoleWidth, kMoleHeight + 40, QImage::Format_RGB32);
            ink.fill(Qt::white);
            printKey(ink, QString(key), h.keyOrigin, Qt::black);
            const auto inked = [&](int x, int y) { return qGray(ink.pixel(x, y)) < 128; };
            ASSERT_GT(find(ink, {}, ink.rect(), [&](int x, int y, QRgb) { return inked(x, y); }).count, 0);
            const Found below = find(ink, name, ink.rect(), [&](int x, int y, QRgb) { return inked(x, y) && y >= h.travel(); });
            const Found bad = find(picture, name, QRect(0, 0, kMoleWidth, h.travel()), [&](int x, int y, QRgb c) {
                return inked(x, y) && (!maskBlack(mask, x, y) || luma(c) < kMinPatchLuma);
            });
            EXPECT_EQ(below.count + bad.count, 0) << "hole " << i + 1 << ", key " << QString(key).toStdString()
                                                  << ": below the cut row " << below << "; off the light fur " << bad;
        }
    }
}

// Red (255, 0, 0) and orange (255, 100, 0) counters must read on the band: light, and nothing reddish.
TEST(FieldHole, CounterBandIsLightAndFreeOfRedAndOrange)
{
    const QImage back = loadDeta(kBack);
    for (const QRect& box : kCounterBoxes) {
        const Found bad = find(back, kBack, box.intersected(back.rect()), [](int, int, QRgb c) {
            return luma(c) < kMinTextGroundLuma || (qRed(c) - qBlue(c) > 80 && qRed(c) - qGreen(c) > 40);
        });
        EXPECT_EQ(bad.count, 0) << "counter at x " << box.left() << ": " << bad;
    }
}
