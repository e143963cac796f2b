#include "Blit.h"

#include <QPainter>

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

// The operations on RGB32 pixels as Qt's raster engine does them; the alpha byte stays opaque. The rows
// never overlap: the surfaces are distinct.
constexpr QRgb kOpaque = 0xff000000;

void mergePaintRow(QRgb* __restrict out, const QRgb* __restrict in, std::size_t width)
{
    for (std::size_t x = 0; x < width; ++x)
        out[x] = ~in[x] | out[x] | kOpaque;
}

void srcAndRow(QRgb* __restrict out, const QRgb* __restrict in, std::size_t width)
{
    for (std::size_t x = 0; x < width; ++x)
        out[x] = (in[x] & out[x]) | kOpaque;
}

// A copy between two RGB32 surfaces at the same size, inside both, done row by row. QPainter would do
// the same, but on a 2-core machine it hands every copy of more than a few thousand pixels to its thread
// pool, and waking the threads cost more than the copy: most of a frame's drawing time.
bool copyRows(QImage& target, const QRect& to, const QImage& source, const QRect& from, RasterOp op)
{
    if (to.size() != from.size() || target.format() != QImage::Format_RGB32 ||
        source.format() != QImage::Format_RGB32 || !target.rect().contains(to) || !source.rect().contains(from))
        return false;
    const auto width = static_cast<std::size_t>(to.width());
    for (int y = 0; y < to.height(); ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(source.constScanLine(from.top() + y)) + from.left();
        auto* out = reinterpret_cast<QRgb*>(target.scanLine(to.top() + y)) + to.left();
        switch (op) {
        case RasterOp::SrcCopy:
            std::memmove(out, in, width * sizeof(QRgb));
            break;
        case RasterOp::MergePaint:
            mergePaintRow(out, in, width);
            break;
        case RasterOp::SrcAnd:
            srcAndRow(out, in, width);
            break;
        }
    }
    return true;
}

// A mask's pixel as RGB32; a grey mask's as Qt converts it, the grey in each colour.
inline QRgb rgb32(const QRgb* row, std::size_t x)
{
    return row[x];
}

inline QRgb rgb32(const uchar* row, std::size_t x)
{
    return kOpaque | row[x] * 0x010101u;
}

// MergePaint of the mask, then SrcAnd of the picture, in one pass: (picture AND (NOT mask OR destination)).
template <typename MaskPixel>
void maskRows(QImage& target, const QRect& to, const QImage& mask, const QImage& picture)
{
    const auto width = static_cast<std::size_t>(to.width());
    for (int y = 0; y < to.height(); ++y) {
        const auto* __restrict m = reinterpret_cast<const MaskPixel*>(mask.constScanLine(y));
        const auto* __restrict in = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        auto* __restrict out = reinterpret_cast<QRgb*>(target.scanLine(to.top() + y)) + to.left();
        for (std::size_t x = 0; x < width; ++x)
            out[x] = (in[x] & (~rgb32(m, x) | out[x])) | kOpaque;
    }
}

bool maskInOnePass(QImage& target, const QRect& to, const QImage& mask, const QImage& picture)
{
    if (mask.size() != to.size() || picture.size() != to.size() || target.format() != QImage::Format_RGB32 ||
        picture.format() != QImage::Format_RGB32 || !target.rect().contains(to))
        return false;
    switch (mask.format()) {
    case QImage::Format_RGB32:
        maskRows<QRgb>(target, to, mask, picture);
        return true;
    case QImage::Format_Grayscale8:
        maskRows<uchar>(target, to, mask, picture);
        return true;
    default:
        return false;
    }
}

} // namespace

void stretchBlt(QImage& target, const QRect& to, const QImage& source, const QRect& from, RasterOp op)
{
    if (to.isEmpty() || from.isEmpty() || copyRows(target, to, source, from, op))
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

void paintThroughMask(QImage& target, const QImage& mask, const QImage& picture, const QRect& to)
{
    if (to.isEmpty() || maskInOnePass(target, to, mask, picture))
        return;
    paintPicture(target, mask, to, RasterOp::MergePaint);
    paintPicture(target, picture, to, RasterOp::SrcAnd);
}

} // namespace zunaka
