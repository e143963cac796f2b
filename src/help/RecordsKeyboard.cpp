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
constexpr int kLegendTop = 236;
constexpr int kLegendPitch = 18;

struct LegendRow {
    QRgb colour;
    const char* text;
};
constexpr std::array kLegend{
    LegendRow{kGood, "よくできた（90%いじょう）"},
    LegendRow{kFair, "もうすこし（70%いじょう）"},
    LegendRow{kWeak, "れんしゅうしよう"},
};

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
    paintLegend(page);
    (void)view;
}

} // namespace zunaka
