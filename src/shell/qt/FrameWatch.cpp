#include "FrameWatch.h"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <QWindow>

#include <cmath>

namespace zunaka {

namespace {

// The frame around a shown window. With a scale factor a frame of one physical pixel is half a logical
// one: it still takes room, so each side counts whole logical pixels, rounded up.
QMargins frameOf(const QWidget& window)
{
    const QWindow* handle = window.windowHandle();
    if (!handle)
        return {};
    const QMargins native = handle->frameMargins();
    return native;
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
