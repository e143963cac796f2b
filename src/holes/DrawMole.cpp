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

constexpr QRgb kBlack = 0xff000000;

// Whether the mask is black wherever `ink` is not, its pixels read as `Pixel` with black as `black`.
template <typename Pixel>
bool inkedOnlyOnBlack(const QImage& ink, const QImage& mask, Pixel black)
{
    for (int y = 0; y < ink.height(); ++y) {
        const auto* inked = reinterpret_cast<const QRgb*>(ink.constScanLine(y));
        const auto* masked = reinterpret_cast<const Pixel*>(mask.constScanLine(y));
        for (int x = 0; x < ink.width(); ++x) {
            if (inked[x] != kBlack && masked[x] != black)
                return false;
        }
    }
    return true;
}

// Whether every pixel the character inks lies where the mask is black: the character printed in white
// on black shows each pixel it touches.
bool inkInsideMask(const GameState& s, int hole, const QImage& mask, QPoint at)
{
    if (mask.format() != QImage::Format_RGB32 && mask.format() != QImage::Format_Grayscale8)
        return false;
    QImage ink(mask.size(), QImage::Format_RGB32);
    ink.fill(kBlack);
    printMojiOn(ink, s, hole, qRgb(255, 255, 255), at.x(), at.y());
    if (mask.format() == QImage::Format_Grayscale8)
        return inkedOnlyOnBlack<uchar>(ink, mask, 0);
    return inkedOnlyOnBlack<QRgb>(ink, mask, kBlack);
}

// A mole picture or mask at the size the mole is drawn at, in a format the raster operations read as it
// is (a grey mask stays grey); the data folder's may have any size.
QImage atMoleSize(const QImage& picture)
{
    const bool readAsItIs =
        picture.format() == QImage::Format_RGB32 || picture.format() == QImage::Format_Grayscale8;
    if (picture.size() == QSize(kMoleWidth, kMoleHeight) && readAsItIs)
        return picture;
    QImage scaled(kMoleWidth, kMoleHeight, QImage::Format_RGB32);
    scaled.fill(Qt::white);
    paintPicture(scaled, picture, scaled.rect(), RasterOp::SrcCopy);
    return scaled;
}

// The hole's look `k` with its character on it, made again when the look, character, colour or place
// changed: once per rise. Printing the character each frame was most of a moving mole's drawing time.
// Made at the size the mole is drawn at, so the character has the size and place it has when printed
// on the drawn mole, whatever the pictures' size.
const MojiLook& mojiLook(GameState& s, int hole, int k, QPoint at)
{
    MojiLook& look = s.mojiLooks[hole];
    const QImage& picture = s.gZunImage[k];
    const QImage& mask = s.gZunMask[k];
    const QRgb colour = mojiColour(s, hole);
    if (look.picture == k && look.moji == s.gHoleMoji[hole] && look.colour == colour && look.at == at &&
        look.pictureKey == picture.cacheKey() && look.maskKey == mask.cacheKey())
        return look;
    look = {k, s.gHoleMoji[hole], colour, at, picture.cacheKey(), mask.cacheKey(), false, {}, atMoleSize(mask)};
    if (!inkInsideMask(s, hole, look.mask, at))
        return look;
    look.exact = true;
    look.image = atMoleSize(picture).convertToFormat(QImage::Format_RGB32);
    printMojiOn(look.image, s, hole, colour, at.x(), at.y());
    return look;
}

void composeMole(GameState& s, int hole, int picture, int textX, int textY)
{
    const bool caught = s.gHoleCaught[hole];
    const int k = caught ? picture + kCaughtPictureOffset : picture;
    QImage& zun = s.ZunPicture;
    const QRect whole(0, 0, kMoleWidth, kMoleHeight);
    // The mask whitens the mole's shape; the picture then fills it, leaving the ground around it.
    if (caught) {
        paintThroughMask(zun, s.gZunMask[k], s.gZunImage[k], whole);
        return;
    }
    const MojiLook& look = mojiLook(s, hole, k, {textX, textY});
    // The look's own mask, scaled as its picture was, so the two meet at every pixel.
    paintThroughMask(zun, look.mask, look.exact ? look.image : s.gZunImage[k], whole);
    if (!look.exact)
        printMoji(s, hole, textX, textY);
}

void showOnWindow(GameState& s, Platform& p, int hole)
{
    Forms& forms = p.forms();
    if (showsCanvasOneToOne(forms)) {
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
    bitBlt(s.ZunPicture, {0, 0}, s.BackPicture, QRect(left, top, kMoleWidth, visible));
    composeMole(s, hole, picture, textX, textY);
    // Only the rows out of the hole go into the buffer: the mole is cut off at the hole's edge.
    bitBlt(s.AllPicture, {left, top}, s.ZunPicture, QRect(0, 0, kMoleWidth, visible));
    showOnWindow(s, p, hole);
}

} // namespace zunaka
