#include "DrawMole.h"

#include "HoleModel.h"
#include "moji/PrintMoji.h"
#include "platform/Blit.h"
#include "platform/Platform.h"
#include "screen/Canvas.h"

namespace zunaka {

namespace {

// On a small screen a frame re-sends the whole playfield below the status strip, scaled.
constexpr int kPlayfieldTop = 80;
// The caught look of picture k is picture k + 4.
constexpr int kCaughtPictureOffset = 4;

void composeMole(GameState& s, int hole, int picture, int textX, int textY)
{
    const bool caught = s.gHoleCaught[hole];
    const int k = caught ? picture + kCaughtPictureOffset : picture;
    QImage& zun = s.ZunPicture[hole];
    const QRect whole(0, 0, kMoleWidth, kMoleHeight);
    // The mask whitens the mole's shape; the picture then fills it, leaving the ground around it.
    paintPicture(zun, s.gZunMask[k], whole, RasterOp::MergePaint);
    paintPicture(zun, s.gZunImage[k], whole, RasterOp::SrcAnd);
    if (!caught)
        printMoji(s, hole, textX, textY);
}

void showOnWindow(GameState& s, Platform& p, int hole)
{
    Forms& forms = p.forms();
    if (isFullSizeScreen(p.screen())) {
        const QRect column(s.gHoleRect[hole].left, s.gHoleTop[hole], kMoleWidth, s.gHoleBottom[hole] - s.gHoleTop[hole]);
        forms.blitToWindow(s.AllPicture, column, column);
        return;
    }
    const QRect from(0, kPlayfieldTop, s.AllPicture.width(), s.AllPicture.height() - kPlayfieldTop);
    forms.blitToWindow(s.AllPicture, from,
                       QRect(0, kPlayfieldTop, forms.mainScaleWidth(), forms.mainScaleHeight() - kPlayfieldTop));
}

} // namespace

void drawMole(GameState& s, Platform& p, int hole, int picture, int visible, int textX, int textY)
{
    const int left = s.gHoleRect[hole].left;
    const int top = s.gHoleRect[hole].top;
    // From one step above the mole down to the hole's edge: whatever the previous step drew, up or down.
    const QRect erased(left, top - s.gStep, kMoleWidth, visible + s.gStep);
    bitBlt(s.AllPicture, erased.topLeft(), s.BackPicture, erased);
    bitBlt(s.ZunPicture[hole], {0, 0}, s.BackPicture, QRect(left, top, kMoleWidth, visible));
    composeMole(s, hole, picture, textX, textY);
    // Only the rows out of the hole go into the buffer: the mole is cut off at the hole's edge.
    bitBlt(s.AllPicture, {left, top}, s.ZunPicture[hole], QRect(0, 0, kMoleWidth, visible));
    showOnWindow(s, p, hole);
}

} // namespace zunaka
