#pragma once

#include <QImage>
#include <QTimer>
#include <QWidget>

#include <functional>

namespace zunaka {

// The title window: shows the title picture it was painted with, for its whole life, with a one-second
// timer that runs from the moment the window is shown.
class TitleForm : public QWidget {
public:
    TitleForm();

    void setPicture(const QImage& picture, int width, int height);
    // Lets go of the picture and of the window's surfaces once it is unloaded: they held two full-size
    // pictures through the whole game.
    void release();
    QTimer& timer1() { return timer1_; }

    std::function<void()> onTick;
    std::function<void()> onMouseDown;
    std::function<void()> onClose;

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    QImage picture_;
    QTimer timer1_;
    bool shownOnce_ = false;
};

} // namespace zunaka
