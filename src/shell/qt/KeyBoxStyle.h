#pragma once

#include <QProxyStyle>

namespace zunaka {

// The desktop's style, with the key box's frame drawn once for each look it takes and copied after.
// Fusion rounds and smooths the frame, and Qt rasterizes a smoothed outline as tall as the box by handing
// its rows to a pool of threads and waiting for them. The box repaints at every key and every blink of its
// cursor, and those thread hand-overs were a third of what a key cost the game's main thread.
class KeyBoxStyle : public QProxyStyle {
public:
    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override;
};

} // namespace zunaka
