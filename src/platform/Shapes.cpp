#include "Shapes.h"

#include <QPainter>

namespace zunaka {

namespace {

// A washed-out pixel keeps this much of the distance from its own grey to white; a pixel darker than the
// ink level is a legend or an outline, and is darkened instead, so that it reads over any tint.
constexpr int kWashKeepsPercent = 25;
constexpr int kInkLevel = 180;

template <typename Change>
void eachPixel(QImage& target, const QRect& box, Change change)
{
    const QRect inside = box & target.rect();
    for (int y = inside.top(); y <= inside.bottom(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(target.scanLine(y));
        for (int x = inside.left(); x <= inside.right(); ++x)
            line[x] = change(line[x]);
    }
}

} // namespace

void fillBox(QImage& target, const QRect& box, QRgb colour)
{
    QPainter(&target).fillRect(box, QColor(colour));
}

void frameBox(QImage& target, const QRect& box, QRgb colour)
{
    QPainter painter(&target);
    painter.setPen(QColor(colour));
    painter.drawRect(box.adjusted(0, 0, -1, -1));
}

void washOut(QImage& target, const QRect& box)
{
    eachPixel(target, box, [](QRgb c) {
        const int grey = qGray(c);
        const int shade = grey < kInkLevel ? grey / 2 : 255 - (255 - grey) * kWashKeepsPercent / 100;
        return qRgb(shade, shade, shade);
    });
}

void tintBox(QImage& target, const QRect& box, QRgb colour)
{
    eachPixel(target, box, [colour](QRgb c) {
        return qRgb(qRed(c) * qRed(colour) / 255, qGreen(c) * qGreen(colour) / 255, qBlue(c) * qBlue(colour) / 255);
    });
}

} // namespace zunaka
