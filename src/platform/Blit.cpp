#include "Blit.h"

#include <QPainter>

namespace zunaka {

namespace {

QPainter::CompositionMode compositionOf(RasterOp op)
{
    switch (op) {
    case RasterOp::MergePaint:
        return QPainter::RasterOp_NotSourceOrDestination;
    case RasterOp::SrcAnd:
        return QPainter::RasterOp_SourceAndDestination;
    case RasterOp::SrcCopy:
        break;
    }
    return QPainter::CompositionMode_Source;
}

} // namespace

void stretchBlt(QImage& target, const QRect& to, const QImage& source, const QRect& from, RasterOp op)
{
    if (to.isEmpty() || from.isEmpty())
        return;
    QPainter painter(&target);
    // No smoothing and no antialiasing: the raster operations are bitwise and exact only on whole pixels.
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform, false);
    painter.setCompositionMode(compositionOf(op));
    painter.drawImage(to, source, from);
}

void bitBlt(QImage& target, QPoint at, const QImage& source, const QRect& from)
{
    stretchBlt(target, QRect(at, from.size()), source, from);
}

void paintPicture(QImage& target, const QImage& picture, const QRect& to, RasterOp op)
{
    stretchBlt(target, to, picture, picture.rect(), op);
}

} // namespace zunaka
