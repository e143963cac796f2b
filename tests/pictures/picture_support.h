// Shared by the picture tests: reading the built pictures, telling light, dark, black and white apart, and
// counting the pixels of an area that break a rule.
#pragma once

#include <QImage>
#include <QRect>
#include <QString>

#include <algorithm>
#include <ostream>
#include <string>

namespace picturetest {

// A mask pixel counts as black or white when it is within this distance of the pure value.
constexpr int kMaskTolerance = 64;

QImage loadDeta(const QString& name); // RGB32, or a null image when the file is missing

inline int luma(QRgb c) { return (299 * qRed(c) + 587 * qGreen(c) + 114 * qBlue(c)) / 1000; }
inline int minChannel(QRgb c) { return std::min({qRed(c), qGreen(c), qBlue(c)}); }
inline bool maskBlack(const QImage& mask, int x, int y) { return qGray(mask.pixel(x, y)) < kMaskTolerance; }
inline bool maskWhite(const QImage& mask, int x, int y) { return qGray(mask.pixel(x, y)) > 255 - kMaskTolerance; }

// How many pixels matched, and the first of them as "name (x, y) = rgb(r, g, b)" for the failure message.
struct Found {
    int count = 0;
    std::string first;
};
inline std::ostream& operator<<(std::ostream& out, const Found& f) { return out << f.count << " pixels, first " << f.first; }

// The pixels of `area` (inclusive) for which match(x, y, rgb) holds.
template <typename Match>
Found find(const QImage& image, const QString& name, const QRect& area, Match match)
{
    Found found;
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (const QRgb c = image.pixel(x, y); match(x, y, c) && found.count++ == 0)
                found.first = QStringLiteral("%1 (%2, %3) = rgb(%4, %5, %6)")
                                  .arg(name).arg(x).arg(y).arg(qRed(c)).arg(qGreen(c)).arg(qBlue(c))
                                  .toStdString();
    return found;
}

} // namespace picturetest
