#include "KeyBoxStyle.h"

#include <QPainter>
#include <QPixmap>
#include <QPixmapCache>
#include <QStyleOption>

namespace zunaka {

void KeyBoxStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const
{
    const auto* panel = qstyleoption_cast<const QStyleOptionFrame*>(option);
    if (element != PE_PanelLineEdit || !panel) {
        QProxyStyle::drawPrimitive(element, option, painter, widget);
        return;
    }
    const qreal ratio = painter->device()->devicePixelRatio();
    // Everything the frame's look depends on: size, focus and the other states, colours, screen density.
    const QString key = QStringLiteral("zunaka-keybox-%1x%2-%3-%4-%5")
                            .arg(option->rect.width())
                            .arg(option->rect.height())
                            .arg(static_cast<uint>(option->state))
                            .arg(option->palette.cacheKey())
                            .arg(ratio);
    QPixmap frame;
    if (!QPixmapCache::find(key, &frame)) {
        frame = QPixmap(option->rect.size() * ratio);
        frame.setDevicePixelRatio(ratio);
        frame.fill(Qt::transparent);
        QPainter framePainter(&frame);
        QStyleOptionFrame atOrigin(*panel);
        // The same copy serves wherever the box stands.
        atOrigin.rect.moveTopLeft({0, 0});
        QProxyStyle::drawPrimitive(element, &atOrigin, &framePainter, widget);
        framePainter.end();
        QPixmapCache::insert(key, frame);
    }
    painter->drawPixmap(option->rect.topLeft(), frame);
}

} // namespace zunaka
