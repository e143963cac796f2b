#pragma once

#include <QImage>
#include <QRect>

namespace zunaka {

// Plain shapes for the records page, drawn into a surface without smoothing, so that every pixel is
// either the colour given or what the surface held.

void fillBox(QImage& target, const QRect& box, QRgb colour);

// A frame one pixel wide along the box's edges.
void frameBox(QImage& target, const QRect& box, QRgb colour);

// Every pixel in the box turned to a light grey of its own brightness: a picture's colours give way to
// tints laid over it, and its black lines stay dark.
void washOut(QImage& target, const QRect& box);

// Every pixel in the box multiplied by `colour`, channel by channel: white becomes the colour, black stays.
void tintBox(QImage& target, const QRect& box, QRgb colour);

} // namespace zunaka
