#include "RecordsKeyboard.h"

#include "KeyboardLayout.h"
#include "RecordsLook.h"
#include "platform/Blit.h"
#include "platform/Print.h"
#include "platform/Shapes.h"

#include <array>

namespace zunaka {

namespace {

using namespace recordsLook;

// The picture at 11/16 of its size in the lower left corner, the legend and the weak keys beside it.
const QRect kKeyboard(16, 292, keyboard::kPictureWidth * 11 / 16, keyboard::kPictureHeight * 11 / 16);
constexpr int kLegendLeft = 384;
constexpr int kLegendTop = 244;
constexpr int kLegendPitch = 18;
constexpr int kWeakTop = 306;
constexpr int kWeakWidth = 240;
constexpr int kWeakPitch = 24;

struct LegendRow {
    QRgb colour;
    const char* text;
};
constexpr std::array kLegend{
    LegendRow{kGood, "よくできた（90%いじょう）"},
    LegendRow{kFair, "もうすこし（70%いじょう）"},
    LegendRow{kWeak, "れんしゅうしよう"},
};

// A key's face on the page, inside its outline: the picture's cell less the gap and the rounded edge.
QRect keyFace(const keyboard::Key& key)
{
    constexpr int kInset = keyboard::kKeyGap / 2 + 2;
    const QRect cell(key.left + kInset, keyboard::rowTop(key.row) + kInset, key.right - key.left - 2 * kInset,
                     keyboard::kKeyHeight - 4);
    const double x = double(kKeyboard.width()) / keyboard::kPictureWidth;
    const double y = double(kKeyboard.height()) / keyboard::kPictureHeight;
    return QRect(kKeyboard.x() + qRound(cell.x() * x), kKeyboard.y() + qRound(cell.y() * y),
                 qRound(cell.width() * x), qRound(cell.height() * y));
}

void tintKeys(QImage& page, const KeyStats& keys)
{
    for (const keyboard::Key& key : keyboard::kKeys) {
        const auto found = keys.find(key.legend);
        if (found != keys.end() && found->second.appeared > 0)
            tintBox(page, keyFace(key), shareColour(catchShare(found->second)));
    }
}

// The weakest keys by name, each with its share and what was typed for it most often.
void paintWeakKeys(QImage& page, const KeyStats& keys)
{
    const std::vector<std::string> weak = weakestKeys(keys, kNamedWeakKeys);
    fillBox(page, QRect(kLegendLeft, kWeakTop, kWeakWidth, kHeadingPx + 6), kHeadingBand);
    printText(page, pageFont(kHeadingPx), kInk, QPoint(kLegendLeft + 6, kWeakTop + 3), QStringLiteral("にがてな キー"));
    int y = kWeakTop + kHeadingPx + 14;
    if (weak.empty())
        printText(page, pageFont(kTextPx), kFaint, QPoint(kLegendLeft + 6, y), QStringLiteral("ありません。すごい！"));
    for (const std::string& moji : weak) {
        const KeyStat& stat = keys.at(moji);
        printText(page, pageFont(kBigPx), kInk, QPoint(kLegendLeft + 10, y - 2), QString::fromStdString(moji));
        printText(page, pageFont(kTextPx), shareInk(catchShare(stat)), QPoint(kLegendLeft + 36, y),
                  QStringLiteral("%1%").arg(percent(catchShare(stat))));
        if (!stat.commonMixup.empty())
            printText(page, pageFont(kTextPx), kInk, QPoint(kLegendLeft + 84, y),
                      QStringLiteral("「%1」と まちがえた").arg(QString::fromStdString(stat.commonMixup)));
        y += kWeakPitch;
    }
}

void paintLegend(QImage& page)
{
    int y = kLegendTop;
    for (const LegendRow& row : kLegend) {
        const QRect swatch(kLegendLeft, y + 2, 14, 12);
        fillBox(page, swatch, row.colour);
        frameBox(page, swatch, kFaint);
        printText(page, pageFont(kTextPx), kInk, QPoint(kLegendLeft + 20, y), QString::fromUtf8(row.text));
        y += kLegendPitch;
    }
}

} // namespace

void paintRecordsKeyboard(QImage& page, const QImage& keyboard, const RecordsView& view)
{
    // The guide's picture, laid on white as the guide lays it, then washed so that only tints are coloured.
    fillBox(page, kKeyboard, 0xFFFFFFFF);
    paintPicture(page, keyboard, kKeyboard, RasterOp::SrcAnd);
    washOut(page, kKeyboard);
    tintKeys(page, view.keys);
    paintLegend(page);
    paintWeakKeys(page, view.keys);
}

} // namespace zunaka
