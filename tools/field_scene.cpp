#include "field_scene.h"

#include <QFont>
#include <QFontMetrics>
#include <QPainter>

namespace field {

QString molePictureName(int number)
{
    return QStringLiteral("Zun%1.jpg").arg(number, 2, 10, QLatin1Char('0'));
}

QString moleMaskName(int number)
{
    return QStringLiteral("ZunMask%1.jpg").arg(number, 2, 10, QLatin1Char('0'));
}

QImage composeMole(const QImage& background, const QImage& mask, const QImage& picture)
{
    QImage mole = background.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&mole);
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, false);
    painter.setCompositionMode(QPainter::RasterOp_NotSourceOrDestination);
    painter.drawImage(0, 0, mask.convertToFormat(QImage::Format_RGB32));
    painter.setCompositionMode(QPainter::RasterOp_SourceAndDestination);
    painter.drawImage(0, 0, picture.convertToFormat(QImage::Format_RGB32));
    return mole;
}

void printKey(QImage& mole, const QString& key, QPoint origin, const QColor& colour)
{
    QFont font(QString::fromLatin1(kKeyFontFamily));
    font.setPixelSize(kKeyPixelSize);
    font.setBold(true);
    QPainter painter(&mole);
    painter.setFont(font);
    painter.setPen(colour);
    painter.drawText(origin + QPoint(0, QFontMetrics(font).ascent()), key);
}

void drawMole(QImage& scene, const QImage& back, const Hole& hole, int visible, const QImage& mask,
              const QImage& picture, const QString& key, const QColor& colour)
{
    if (visible <= 0)
        return;
    const int top = hole.bottom - visible;
    QImage mole = composeMole(back.copy(hole.left, top, kMoleWidth, kMoleHeight), mask, picture);
    if (!key.isEmpty())
        printKey(mole, key, hole.keyOrigin, colour);
    QPainter painter(&scene);
    painter.drawImage(QPoint(hole.left, top), mole, QRect(0, 0, kMoleWidth, visible));
}

} // namespace field
