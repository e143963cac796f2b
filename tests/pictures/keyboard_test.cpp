// The keyboard guide: the layout table it is drawn from, and the rendered "KeyBorad.jpg" under the finger
// names the help page prints above it.
#include "help/KeyboardLayout.h"
#include "picture_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

using namespace zunaka::keyboard;
using namespace picturetest;

namespace {

const QString kPicture = QStringLiteral("KeyBorad.jpg");
// The 44 characters the moles carry.
const std::string kGameKeys = "1234567890QWERTYUIOP@[ASDFGHJKL;:]ZXCVBNM,./";
constexpr int kMinKeyWidth = 24;
// Where the help page prints each finger's name: 12 px full-width characters and 6 px blanks from x = 30.
struct Span {
    Finger finger;
    int left, right;
};
constexpr Span kNames[] = {
    {Finger::LeftLittle, 30, 66},   {Finger::LeftRing, 66, 102},     {Finger::LeftMiddle, 102, 138},
    {Finger::LeftIndex, 150, 198},  {Finger::RightIndex, 228, 276},  {Finger::RightMiddle, 282, 318},
    {Finger::RightRing, 318, 354},  {Finger::RightLittle, 354, 390},
};
constexpr double kColourTolerance = 20; // half the least distance between two finger colours

// The finger whose colour the pixel shows, or nothing for white, outlines, legends and their edges.
std::optional<Finger> fingerOf(QRgb pixel)
{
    for (int f = 0; f < kFingerCount; ++f) {
        const QRgb c = kFingerColours[f];
        if (std::hypot(qRed(pixel) - qRed(c), qGreen(pixel) - qGreen(c), qBlue(pixel) - qBlue(c)) < kColourTolerance)
            return static_cast<Finger>(f);
    }
    return std::nullopt;
}

} // namespace

// Every game key is on the picture once, and each row's cells (Enter's lower part included) run from 0 to
// the picture's width edge to edge.
TEST(KeyboardLayout, EveryGameKeyOnceAndRowsTileTheWidth)
{
    for (char wanted : kGameKeys)
        EXPECT_EQ(std::count_if(std::begin(kKeys), std::end(kKeys),
                                [&](const Key& k) { return k.legend == std::string(1, wanted); }), 1) << wanted;
    for (int row = 0; row < kRowCount; ++row) {
        std::vector<std::pair<int, int>> cells;
        for (const Key& k : kKeys)
            if (k.row == row || (k.rowsDown == 2 && k.row + 1 == row))
                cells.emplace_back(k.row == row ? k.left : k.lowerLeft, k.right);
        std::sort(cells.begin(), cells.end());
        int edge = 0;
        for (const auto& [left, right] : cells) {
            EXPECT_EQ(left, edge) << "row " << row << ": gap or overlap";
            EXPECT_GE(right - left, kMinKeyWidth) << "row " << row << " cell at " << left;
            edge = right;
        }
        EXPECT_EQ(edge, kPictureWidth) << "row " << row;
    }
    EXPECT_LE(rowTop(kRowCount - 1) + kRowPitch, kPictureHeight);
}

// Across the middle third of each name, in each row, only that finger's colour may show (legends, outlines
// and gaps aside), and it must show. The gaps must stay white: the page ANDs the picture onto white.
TEST(KeyboardPicture, EveryNameStandsOverItsFingersKeysAndGapsAreWhite)
{
    const QImage picture = loadDeta(kPicture);
    ASSERT_EQ(picture.size(), QSize(kPictureWidth, kPictureHeight));
    for (const Span& span : kNames) {
        const int third = (span.right - span.left) / 3;
        for (int row = 0; row < 4; ++row) {
            // Below the legend, above the key's lower outline.
            const QRect line(span.left + third, rowTop(row) + kKeyHeight - 4, span.right - span.left - 2 * third, 1);
            const Found other = find(picture, kPicture, line, [&](int, int, QRgb c) {
                return fingerOf(c) && *fingerOf(c) != span.finger;
            });
            const int own = find(picture, kPicture, line, [&](int, int, QRgb c) { return fingerOf(c) == span.finger; }).count;
            EXPECT_EQ(other.count, 0) << "finger " << int(span.finger) << ", row " << row << ": other colours " << other;
            EXPECT_GT(own, 0) << "finger " << int(span.finger) << ", row " << row << ": its colour missing";
        }
    }
    // JPEG's halved colour resolution tints a 2 px gap a little, so a strip's average brightness counts.
    for (int y : {rowTop(1) - 1, rowTop(2) - 1, rowTop(3) - 1, rowTop(4) - 1, kPictureHeight - 1}) {
        double sum = 0;
        for (int x = 80; x < 120; ++x)
            sum += qGray(picture.pixel(x, y));
        EXPECT_GE(sum / 40, 245) << "gap above y " << y + 1;
    }
}
