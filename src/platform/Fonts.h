#pragma once

#include <QFont>

namespace zunaka {

// The game's faces are named by their Windows names; on Debian the IPA fonts stand in for them
// (fontconfig knows no alias for the MS names, so the fallback is given explicitly). Sizes are set in
// pixels at 96 dpi (points x 4 / 3) so that nothing depends on the screen's dpi.
inline QFont proportionalGothic(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳ Ｐゴシック"), QStringLiteral("IPAPGothic")});
    font.setPixelSize(pixelSize);
    return font;
}

inline QFont fixedGothic(int pixelSize)
{
    QFont font;
    font.setFamilies({QStringLiteral("ＭＳゴシック"), QStringLiteral("IPAGothic")});
    font.setPixelSize(pixelSize);
    return font;
}

} // namespace zunaka
