#pragma once

#include <QImage>
#include <QRect>

namespace zunaka {

// The three ways a picture is combined with what a surface already holds.
enum class RasterOp {
    SrcCopy,     // the source replaces the destination
    MergePaint,  // destination OR (NOT source): a mask's black cuts a mole-shaped hole to white
    SrcAnd,      // destination AND source: the mole picture fills that hole, white leaves the ground
};

// Copies the `from` rectangle of `source` onto the `to` rectangle of `target`, scaling it when the sizes
// differ, without smoothing: every pixel is one of the source's, so masks stay pure and raster
// operations stay exact. An empty rectangle copies nothing.
void stretchBlt(QImage& target, const QRect& to, const QImage& source, const QRect& from,
                RasterOp op = RasterOp::SrcCopy);

// A rectangle of equal size, from `from` to the same-sized rectangle at `at`.
void bitBlt(QImage& target, QPoint at, const QImage& source, const QRect& from);

// The whole of `picture`, scaled into `to`.
void paintPicture(QImage& target, const QImage& picture, const QRect& to, RasterOp op);

// A mole: MergePaint of the whole of `mask`, then SrcAnd of the whole of `picture`, both scaled into `to`.
// The mask's black cuts the mole's shape to white and the picture fills it, leaving the ground around it.
// Done in one pass over the rows when both are at the size of `to`: the same pixels as the two operations.
void paintThroughMask(QImage& target, const QImage& mask, const QImage& picture, const QRect& to);

} // namespace zunaka
