// Back.jpg against the hole geometry: each hole's dark opening must end on the row where the game cuts its
// mole off, with the lighter lip of earth just below, and the counters' band must stay light.
#include "field_support.h"

#include <gtest/gtest.h>

using namespace field;
using namespace fieldtest;

namespace {

constexpr int kMaxOpeningLuma = 70;
constexpr int kMinLipLuma = 140;
// Columns this far in from the mole's sides; the body of every look lies between them.
constexpr int kSideMargin = 12;
// The opening stays dark this far up, so a mole one step out stands in front of it.
constexpr int kOpeningDepth = 20;
constexpr int kLipDepth = 5;

struct TextBox {
    const char* what;
    QRect box;
};

// Where the game prints its two counters, 40 px high from row 23, with room for a three-digit count.
constexpr std::array<TextBox, 2> kTextBoxes{{
    {"red count", {65, 23, 260, 44}},
    {"orange count", {390, 23, 250, 44}},
}};
constexpr int kMinTextGroundLuma = 190;

} // namespace

TEST(FieldBack, HasTheFieldSize)
{
    const QImage back = loadDeta(QStringLiteral("Back.jpg"));
    ASSERT_FALSE(back.isNull());
    EXPECT_EQ(back.size(), QSize(kFieldWidth, kFieldHeight));
}

TEST(FieldBack, OpeningEndsOnEachHolesCutRow)
{
    const QImage back = loadDeta(QStringLiteral("Back.jpg"));
    ASSERT_FALSE(back.isNull());
    for (std::size_t i = 0; i < kHoles.size(); ++i) {
        const Hole& hole = kHoles[i];
        SCOPED_TRACE("hole " + std::to_string(i + 1));
        int darkFails = 0;
        int lipFails = 0;
        std::string firstDark, firstLip;
        for (int x = hole.left + kSideMargin; x < hole.left + kMoleWidth - kSideMargin; ++x) {
            for (int y = hole.bottom - kOpeningDepth; y < hole.bottom; ++y) {
                const QRgb c = back.pixel(x, y);
                if (luma(c) > kMaxOpeningLuma && darkFails++ == 0)
                    firstDark = describe(QStringLiteral("Back.jpg"), x, y, c);
            }
            for (int y = hole.bottom + 1; y <= hole.bottom + kLipDepth; ++y) {
                const QRgb c = back.pixel(x, y);
                if (luma(c) < kMinLipLuma && lipFails++ == 0)
                    firstLip = describe(QStringLiteral("Back.jpg"), x, y, c);
            }
        }
        EXPECT_EQ(darkFails, 0) << "opening not dark above the cut row, first " << firstDark;
        EXPECT_EQ(lipFails, 0) << "lip not light below the cut row, first " << firstLip;
    }
}

// Red (255, 0, 0) and orange (255, 100, 0) text must read on the band: a light ground, and nothing red or
// orange there to blend with.
TEST(FieldBack, CounterBandIsLightAndFreeOfRedAndOrange)
{
    const QImage back = loadDeta(QStringLiteral("Back.jpg"));
    ASSERT_FALSE(back.isNull());
    for (const TextBox& t : kTextBoxes) {
        int fails = 0;
        std::string first;
        for (int y = t.box.top(); y <= t.box.bottom(); ++y)
            for (int x = t.box.left(); x <= std::min(t.box.right(), kFieldWidth - 1); ++x) {
                const QRgb c = back.pixel(x, y);
                const bool reddish = qRed(c) - qBlue(c) > 80 && qRed(c) - qGreen(c) > 40;
                if ((luma(c) < kMinTextGroundLuma || reddish) && fails++ == 0)
                    first = describe(QStringLiteral("Back.jpg"), x, y, c);
            }
        EXPECT_EQ(fails, 0) << t.what << ": first unsuitable pixel " << first;
    }
}
