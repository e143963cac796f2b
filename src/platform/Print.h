#pragma once

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QString>

namespace zunaka {

// Prints `text` onto a surface with the top-left of its line cell at `topLeft`, in `colour`. Only the
// glyphs' pixels change: the cell behind them keeps what the surface showed.
void printText(QImage& target, const QFont& font, QRgb colour, QPoint topLeft, const QString& text);

} // namespace zunaka
