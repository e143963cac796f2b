#include "Status.h"

#include "platform/Blit.h"
#include "platform/Fonts.h"
#include "platform/Platform.h"
#include "platform/Print.h"

namespace zunaka {

namespace {

constexpr int kStatusFontPx = 40;  // 30 pt
const QPoint kPopCountAt(65, 23);
const QPoint kHitCountAt(390, 23);
constexpr QRgb kPopCountColour = qRgb(255, 0, 0);
constexpr QRgb kHitCountColour = qRgb(255, 100, 0);

// A count as the game writes numbers: one blank, then the digits.
QString countText(const char* caption, int count)
{
    return QString::fromUtf8(caption) + QLatin1Char(' ') + QString::number(count);
}

// `bufferRows` rows of the buffer, restored from the background so no digit of the previous frame
// remains, shown as `windowRows` rows of the window.
void printStatus(GameState& s, Platform& p, int bufferRows, int windowRows)
{
    const QFont font = proportionalGothic(kStatusFontPx);
    const QRect strip(0, 0, s.AllPicture.width(), bufferRows);
    bitBlt(s.AllPicture, {0, 0}, s.BackPicture, strip);
    printText(s.AllPicture, font, kPopCountColour, kPopCountAt, countText("ずなか", s.gPopCount));
    printText(s.AllPicture, font, kHitCountColour, kHitCountAt, countText("つかまえた", s.gHitCount));
    Forms& forms = p.forms();
    forms.blitToWindow(s.AllPicture, strip, QRect(0, 0, forms.mainScaleWidth(), windowRows));
}

} // namespace

void printStatusWide(GameState& s, Platform& p)
{
    printStatus(s, p, 100, 100);
}

void printStatusNarrow(GameState& s, Platform& p)
{
    printStatus(s, p, 80, 73);
}

} // namespace zunaka
