// The key the game prints on each mole must land on that look's light patch: every pixel of every key's
// ink, at each hole's text origin, is inside the mole, light, and above the hole's cut row.
#include "field_support.h"

#include <QPainter>

#include <gtest/gtest.h>

using namespace field;
using namespace fieldtest;

namespace {

// Key colours have components of at most 200, so a patch at least this light keeps every key readable.
constexpr int kMinPatchLuma = 215;
constexpr int kInkGrey = 128;
const QString kKeys = QStringLiteral("1234567890QWERTYUIOP@[ASDFGHJKL;:]ZXCVBNM,./");

// The pixels a key covers on a mole picture when printed at `origin`.
std::vector<QPoint> inkOf(QChar key, QPoint origin)
{
    QImage sheet(kMoleWidth, kMoleHeight + 40, QImage::Format_RGB32);
    sheet.fill(Qt::white);
    printKey(sheet, QString(key), origin, Qt::black);
    std::vector<QPoint> ink;
    for (int y = 0; y < sheet.height(); ++y)
        for (int x = 0; x < sheet.width(); ++x)
            if (qGray(sheet.pixel(x, y)) < kInkGrey)
                ink.emplace_back(x, y);
    return ink;
}

} // namespace

TEST(FieldKey, EveryKeyLandsOnALightPatchOfTheMole)
{
    for (std::size_t i = 0; i < kHoles.size(); ++i) {
        const Hole& hole = kHoles[i];
        const QImage picture = loadDeta(molePictureName(hole.look));
        const QImage mask = loadDeta(moleMaskName(hole.look));
        ASSERT_FALSE(picture.isNull());
        ASSERT_FALSE(mask.isNull());
        for (QChar key : kKeys) {
            const std::vector<QPoint> ink = inkOf(key, hole.keyOrigin);
            ASSERT_FALSE(ink.empty()) << "no ink for " << QString(key).toStdString();
            int hidden = 0, outside = 0, dark = 0;
            std::string first;
            for (const QPoint& q : ink) {
                if (q.y() >= hole.travel()) {
                    ++hidden;
                    continue;
                }
                const QRgb c = picture.pixel(q);
                const bool out = !maskBlack(mask, q.x(), q.y());
                const bool tooDark = luma(c) < kMinPatchLuma;
                outside += out;
                dark += tooDark;
                if ((out || tooDark) && first.empty())
                    first = describe(molePictureName(hole.look), q.x(), q.y(), c);
            }
            EXPECT_EQ(hidden + outside + dark, 0)
                << "hole " << i + 1 << ", key " << QString(key).toStdString() << ": " << hidden
                << " ink pixels below the cut row, " << outside << " outside the mole, " << dark
                << " on a dark part; first " << first;
        }
    }
}
