#include "FrameWatch.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <cmath>

namespace zunaka {

namespace {

// The frame around a shown window, in logical pixels. Qt rounds the frame's physical pixels to the nearest
// logical ones; at a fractional scale factor that may fall short of the frame by part of a pixel, which
// would leave the frame's last row outside the screen, so each side then counts one pixel more.
QMargins frameOf(const QWidget& window)
{
    const QWindow* handle = window.windowHandle();
    if (!handle)
        return {};
    const QMargins frame = handle->frameMargins();
    const qreal ratio = handle->devicePixelRatio();
    if (frame.isNull() || ratio == std::floor(ratio))
        return frame;
    const auto side = [](int value) { return value > 0 ? value + 1 : 0; };
    return {side(frame.left()), side(frame.top()), side(frame.right()), side(frame.bottom())};
}

} // namespace

FrameWatch::FrameWatch(std::initializer_list<QWidget*> windows, QObject* parent) : QObject(parent)
{
    for (QWidget* window : windows)
        window->installEventFilter(this);
    if (QScreen* screen = QGuiApplication::primaryScreen())
        connect(screen, &QScreen::availableGeometryChanged, this, [this] { reportChange(); });
}

bool FrameWatch::eventFilter(QObject* watched, QEvent* event)
{
    const QEvent::Type type = event->type();
    if (type != QEvent::Move && type != QEvent::Show && type != QEvent::Resize)
        return false;
    const auto* window = static_cast<QWidget*>(watched);
    if (!window->isVisible() || window->isFullScreen() || window->isMaximized())
        return false;
    const QMargins frame = frameOf(*window);
    if (frame.isNull() || frame == frame_)
        return false;
    frame_ = frame;
    reportChange();
    return false;
}

void FrameWatch::reportChange()
{
    // Queued: the windows are resized and moved in answer, which is no business of their own event.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (onChanged)
                onChanged();
        },
        Qt::QueuedConnection);
}

} // namespace zunaka
