#include "TitleForm.h"

#include "Messages.h"

#include <QCloseEvent>
#include <QPainter>
#include <QResizeEvent>

namespace zunaka {

namespace {
constexpr int kTimerIntervalMs = 1000;
}

TitleForm::TitleForm()
{
    setWindowTitle(QString::fromUtf8(kAppTitle));
    setAttribute(Qt::WA_OpaquePaintEvent);
    timer1_.setInterval(kTimerIntervalMs);
    connect(&timer1_, &QTimer::timeout, this, [this] {
        if (onTick)
            onTick();
    });
}

void TitleForm::showEvent(QShowEvent*)
{
    // The title counts from the moment it is on screen; its ticks are handled once the main loop runs.
    if (!shownOnce_)
        timer1_.start();
    shownOnce_ = true;
}

void TitleForm::setPicture(const QImage& picture, int width, int height)
{
    // Scaled once, here, and kept: the window repaints from it whenever it is uncovered.
    picture_ = picture.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    update();
}

void TitleForm::resizeEvent(QResizeEvent* event)
{
    // The main window had to shrink to fit inside the screen, after the picture was painted: the picture
    // shrinks with the window, keeping the rows it had below it.
    if (picture_.isNull() || !event->oldSize().isValid())
        return;
    const QSize size = picture_.size() + event->size() - event->oldSize();
    picture_ = picture_.scaled(size, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}

void TitleForm::release()
{
    picture_ = QImage();
    destroy();
}

void TitleForm::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    // The window background colour, where a picture shorter than the window leaves room.
    painter.fillRect(rect(), palette().base());
    painter.drawImage(0, 0, picture_);
}

void TitleForm::mousePressEvent(QMouseEvent*)
{
    if (onMouseDown)
        onMouseDown();
}

void TitleForm::closeEvent(QCloseEvent* event)
{
    event->accept();
    if (onClose)
        onClose();
}

} // namespace zunaka
