#include "Status.h"

#include "platform/Blit.h"
#include "platform/Fonts.h"
#include "platform/Platform.h"
#include "platform/Print.h"

#include <cstring>

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

constexpr int kWideRows = 100;
constexpr int kNarrowRows = 80;
constexpr int kNarrowWindowRows = 73;

// Nothing has written to the buffer since the strip was sent, and the counts are the same.
bool unchanged(const GameState& s, int bufferRows)
{
    const PrintedStatus& printed = s.statusPrinted;
    return printed.buffer == s.AllPicture.cacheKey() && printed.popCount == s.gPopCount &&
           printed.hitCount == s.gHitCount && printed.background == s.BackPicture.cacheKey() &&
           printed.strip.height() == bufferRows;
}

// Whether the top rows of the buffer hold what the last print left there, for the counts of now.
bool stillPrinted(const GameState& s, int rows)
{
    const PrintedStatus& printed = s.statusPrinted;
    const QImage& strip = printed.strip;
    if (printed.popCount != s.gPopCount || printed.hitCount != s.gHitCount ||
        printed.background != s.BackPicture.cacheKey() || strip.height() != rows ||
        strip.width() != s.AllPicture.width() || strip.format() != s.AllPicture.format())
        return false;
    const auto bytes = static_cast<std::size_t>(strip.bytesPerLine());
    for (int y = 0; y < rows; ++y) {
        if (std::memcmp(strip.constScanLine(y), s.AllPicture.constScanLine(y), bytes) != 0)
            return false;
    }
    return true;
}

// The strip's pixels copied into the image kept of them, in place once it has the strip's size: a new
// copy for each new count left the last one's 250 KB free in the heap beside it.
void keepCopy(QImage& copy, const QImage& buffer, const QRect& strip)
{
    if (copy.size() != strip.size() || copy.format() != buffer.format())
        copy = QImage(strip.size(), buffer.format());
    bitBlt(copy, {0, 0}, buffer, strip);
}

// `bufferRows` rows of the buffer, restored from the background so no digit of the previous frame
// remains, shown as `windowRows` rows of the window. A strip that still holds what the same counts printed
// over the same background is what restoring and printing again would give, and is left as it is.
void printStatus(GameState& s, Platform& p, int bufferRows, int windowRows)
{
    // The strip and its copy on the window are as this frame would leave them. Most frames of a game move
    // no mole, and comparing and sending the strip was then most of the frame's work.
    PrintedStatus& printed = s.statusPrinted;
    if (unchanged(s, bufferRows))
        return;
    // The buffer has changed elsewhere (a mole moved) but its strip holds what was printed and sent: the
    // window shows it already. Sent again, it would repaint the key box in front of it every frame.
    if (stillPrinted(s, bufferRows)) {
        printed.buffer = s.AllPicture.cacheKey();
        return;
    }
    const QRect strip(0, 0, s.AllPicture.width(), bufferRows);
    const QFont font = proportionalGothic(kStatusFontPx);
    bitBlt(s.AllPicture, {0, 0}, s.BackPicture, strip);
    printText(s.AllPicture, font, kPopCountColour, kPopCountAt, countText("ずなか", s.gPopCount));
    printText(s.AllPicture, font, kHitCountColour, kHitCountAt, countText("つかまえた", s.gHitCount));
    printed.popCount = s.gPopCount;
    printed.hitCount = s.gHitCount;
    printed.background = s.BackPicture.cacheKey();
    keepCopy(printed.strip, s.AllPicture, strip);
    Forms& forms = p.forms();
    forms.blitToWindow(s.AllPicture, strip, QRect(0, 0, forms.mainScaleWidth(), windowRows));
    printed.buffer = s.AllPicture.cacheKey();
}

} // namespace

void printStatusWide(GameState& s, Platform& p)
{
    printStatus(s, p, kWideRows, kWideRows);
}

void printStatusNarrow(GameState& s, Platform& p)
{
    printStatus(s, p, kNarrowRows, kNarrowWindowRows);
}

bool statusShown(const GameState& s, bool wide)
{
    return unchanged(s, wide ? kWideRows : kNarrowRows);
}

} // namespace zunaka
