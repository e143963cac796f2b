#include "MainPicture.h"

#include "platform/Blit.h"
#include "screen/Canvas.h"

#include <QPainter>
#include <QPaintEvent>
#include <QRegion>

#include <cmath>

namespace zunaka {

MainPicture::MainPicture(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_OpaquePaintEvent);
    setCanvasSize(kCanvasRect.size());
}

void MainPicture::startWhite(QSize client)
{
    shown_ = nullptr;
    copy_ = QImage();
    client_ = client;
}

void MainPicture::setCanvasSize(QSize size)
{
    startWhite(size);
    fullScreen_ = false;
    view_ = {QRect(QPoint(), size), false};
    setFixedSize(size);
    if (onViewChanged)
        onViewChanged();
}

void MainPicture::setFullScreenView()
{
    startWhite(kCanvasRect.size());
    fullScreen_ = true;
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    view_ = fullScreenView(size());
    if (onViewChanged)
        onViewChanged();
}

QRectF MainPicture::toWindowF(const QRectF& rect) const
{
    const double sx = double(view_.shown.width()) / client_.width();
    const double sy = double(view_.shown.height()) / client_.height();
    return {view_.shown.x() + rect.x() * sx, view_.shown.y() + rect.y() * sy, rect.width() * sx, rect.height() * sy};
}

QRect MainPicture::toWindow(const QRect& rect) const
{
    const QRectF mapped = toWindowF(rect);
    const QPoint from(int(std::lround(mapped.left())), int(std::lround(mapped.top())));
    const QPoint to(int(std::lround(mapped.right())), int(std::lround(mapped.bottom())));
    return {from, QSize(to.x() - from.x(), to.y() - from.y())};
}

int MainPicture::toWindow(int length) const
{
    return int(std::lround(length * double(view_.shown.height()) / client_.height()));
}

void MainPicture::blit(const QImage& source, const QRect& from, const QRect& to)
{
    // A smoothed view blends each pixel with its neighbours: they are painted again with it.
    const int blend = view_.smooth ? 1 : 0;
    const QRect changed = toWindow(to).adjusted(-blend, -blend, blend, blend);
    if (from == to && copy_.isNull() && (shown_ == nullptr || shown_ == &source)) {
        shown_ = &source;
        update(changed);
        return;
    }
    keepOwnCopy();
    if (from.size() != to.size()) {
        // Shrunk for a small screen: smoothing keeps the thin strokes of the characters and the guide's
        // text readable. Only what the player sees is smoothed; the surfaces behind it stay exact.
        QPainter painter(&copy_);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(to, source, from);
    } else {
        bitBlt(copy_, to.topLeft(), source, from);
    }
    update(changed);
}

void MainPicture::keepOwnCopy()
{
    if (!copy_.isNull())
        return;
    copy_ = QImage(client_, QImage::Format_RGB32);
    copy_.fill(Qt::white);
    if (shown_)
        bitBlt(copy_, {0, 0}, *shown_, shown_->rect().intersected(copy_.rect()));
    shown_ = nullptr;
}

void MainPicture::paintEvent(QPaintEvent* event)
{
    QPainter painter(this);
    paintArea(painter, event->region());
}

void MainPicture::paintArea(QPainter& painter, const QRegion& area) const
{
    const QImage* picture = copy_.isNull() ? shown_ : &copy_;
    if (fullScreen_) {
        paintScaled(painter, area.boundingRect(), picture);
        return;
    }
    // A frame repaints the columns of the moles that moved, one region of several rectangles. Painted
    // one rectangle at a time, each within a clip of its own, the image is copied line by line; under the
    // region's clip Qt would blend it span by span, handing the spans to its thread pool.
    for (const QRect& part : area) {
        painter.save();
        painter.setClipRect(part, Qt::IntersectClip);
        // Whole pixels only: on a high-dpi screen each canvas pixel becomes a crisp block.
        const QRect drawn = picture ? part.intersected(picture->rect()) : QRect();
        if (drawn != part)
            painter.fillRect(part, Qt::white);
        if (!drawn.isEmpty())
            painter.drawImage(drawn, *picture, drawn);
        painter.restore();
    }
}

// The client area scaled into its place, black around it. Each repaint draws the client pixels under its
// rectangle, with a pixel more on each side for the smoothing to blend with, clipped to the rectangle.
void MainPicture::paintScaled(QPainter& painter, const QRect& rect, const QImage* picture) const
{
    for (const QRect& margin : QRegion(rect).subtracted(view_.shown))
        painter.fillRect(margin, Qt::black);
    const QRect inView = rect.intersected(view_.shown);
    if (inView.isEmpty())
        return;
    if (!picture) {
        painter.fillRect(inView, Qt::white);
        return;
    }
    const double sx = double(client_.width()) / view_.shown.width();
    const double sy = double(client_.height()) / view_.shown.height();
    const QRectF back((inView.x() - view_.shown.x()) * sx, (inView.y() - view_.shown.y()) * sy, inView.width() * sx,
                      inView.height() * sy);
    const QRect source = back.toAlignedRect().adjusted(-1, -1, 1, 1).intersected(QRect(QPoint(), client_));
    painter.save();
    painter.setClipRect(inView, Qt::IntersectClip);
    painter.setRenderHint(QPainter::SmoothPixmapTransform, view_.smooth);
    painter.drawImage(toWindowF(source), *picture, source);
    painter.restore();
}

void MainPicture::resizeEvent(QResizeEvent*)
{
    if (!fullScreen_)
        return;
    view_ = fullScreenView(size());
    if (onViewChanged)
        onViewChanged();
}

void MainPicture::showEvent(QShowEvent*)
{
    if (onShown)
        onShown();
}

} // namespace zunaka
