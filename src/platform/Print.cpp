#include "Print.h"

#include <QFontMetrics>
#include <QPainter>

namespace zunaka {

void printText(QImage& target, const QFont& font, QRgb colour, QPoint topLeft, const QString& text)
{
    QPainter painter(&target);
    painter.setFont(font);
    painter.setPen(QColor(colour));
    // QPainter places text by its baseline; the line cell's top lies one ascent above it.
    painter.drawText(topLeft + QPoint(0, QFontMetrics(font).ascent()), text);
}

} // namespace zunaka
