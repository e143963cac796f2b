#include "PrintMoji.h"

#include "platform/Fonts.h"
#include "platform/Print.h"

namespace zunaka {

namespace {
constexpr int kMojiFontPx = 60;  // 45 pt
}

void printMojiOn(QImage& target, const GameState& s, int hole, QRgb colour, int x, int y)
{
    QFont font = proportionalGothic(kMojiFontPx);
    font.setBold(true);
    printText(target, font, colour, {x, y}, QString::fromStdString(s.gHoleMoji[hole]));
}

QRgb mojiColour(const GameState& s, int hole)
{
    return qRgb(s.gMojiRed[hole], s.gMojiGreen[hole], s.gMojiBlue[hole]);
}

void printMoji(GameState& s, int hole, int x, int y)
{
    printMojiOn(s.ZunPicture, s, hole, mojiColour(s, hole), x, y);
}

} // namespace zunaka
