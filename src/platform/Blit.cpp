#include "Blit.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

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

QRect copyChangedPixels(QImage& target, QPoint at, const QImage& source, const QRect& from)
{
    const QRect to = QRect(at, from.size()).intersected(target.rect());
    if (to.isEmpty())
        return {};
    const QPoint offset = from.topLeft() - at;
    const int width = to.width();
    int top = -1;
    int bottom = -1;
    int left = width;
    int right = -1;
    for (int y = 0; y < to.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(to.top() + y + offset.y())) +
                         to.left() + offset.x();
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(to.top() + y)) + to.left();
        if (std::memcmp(in, out, sizeof(QRgb) * static_cast<std::size_t>(width)) == 0)
            continue;
        int first = 0;
        while (in[first] == out[first])
            ++first;
        int last = width - 1;
        while (in[last] == out[last])
            --last;
        std::memcpy(out + first, in + first, sizeof(QRgb) * static_cast<std::size_t>(last - first + 1));
        left = std::min(left, first);
        right = std::max(right, last);
        if (top < 0)
            top = y;
        bottom = y;
    }
    if (top < 0)
        return {};
    return QRect(to.left() + left, to.top() + top, right - left + 1, bottom - top + 1);
}

} // namespace zunaka
