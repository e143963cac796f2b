#include "PrintMoji.h"

#include "platform/Fonts.h"
#include "platform/Print.h"

namespace zunaka {

namespace {
constexpr int kMojiFontPx = 60;  // 45 pt
}

void printMoji(GameState& s, int hole, int x, int y)
{
    QFont font = proportionalGothic(kMojiFontPx);
    font.setBold(true);
    printText(s.ZunPicture[hole], font, qRgb(s.gMojiRed[hole], s.gMojiGreen[hole], s.gMojiBlue[hole]), {x, y},
              QString::fromStdString(s.gHoleMoji[hole]));
}

} // namespace zunaka
