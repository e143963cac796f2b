#pragma once

// Pictures compared with the reference pictures in this folder, which were made once and looked at:
// by the core tests on the fake platform and by the end-to-end probe on the real window. A pixel is off
// when one of its channels is more than a few steps from the reference; a picture matches when no more
// than a handful are. No mean error: a thinner face or a line moved by a few pixels must not pass.
#include <QColor>
#include <QImage>
#include <QRect>

#include <cstdlib>
#include <vector>

namespace zunaka::reference {

constexpr int kChannelTolerance = 8;
constexpr int kPixelsOffAllowed = 20;

inline bool near(QRgb a, QRgb b)
{
    return std::abs(qRed(a) - qRed(b)) <= kChannelTolerance && std::abs(qGreen(a) - qGreen(b)) <= kChannelTolerance &&
           std::abs(qBlue(a) - qBlue(b)) <= kChannelTolerance;
}

// The pixels of `area` (but those in `except`) where the two pictures are not near.
inline int pixelsOff(const QImage& a, const QImage& b, const QRect& area, const std::vector<QRect>& except = {})
{
    int count = 0;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x) {
            bool skipped = false;
            for (const QRect& r : except)
                skipped = skipped || r.contains(x, y);
            count += !skipped && !near(a.pixel(x, y), b.pixel(x, y));
        }
    return count;
}

inline bool matches(const QImage& actual, const QImage& expected)
{
    return actual.size() == expected.size() && pixelsOff(actual, expected, expected.rect()) <= kPixelsOffAllowed;
}

// The reference faded, with every pixel that is off in red: where to look.
inline QImage difference(const QImage& actual, const QImage& expected)
{
    QImage out = expected.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const QRgb e = out.pixel(x, y);
            const bool off = !actual.rect().contains(x, y) || !near(actual.pixel(x, y), e);
            out.setPixel(x, y, off ? qRgb(255, 0, 0) : qRgb(191 + qGray(e) / 4, 191 + qGray(e) / 4, 191 + qGray(e) / 4));
        }
    return out;
}

} // namespace zunaka::reference
