#pragma once

#include "screen/WindowSize.h"

#include <QImage>
#include <QRegion>
#include <QWidget>

#include <functional>

namespace zunaka {

// The visible drawing surface, `MainPicture`. Qt repaints widgets from its own backing store, and a paint
// event draws its rectangle of what was last sent to the window.
//
// The game draws into one buffer and sends what it drew to the window at once, one to one on a screen
// large enough, before Qt paints again. So while every copy is one to one from the same picture, the
// surface paints straight from that picture and keeps no copy of its own: a full-size picture less in
// memory, and no copying in every frame. A shrunk copy, or one from another picture, makes it keep its own
// copy from then on. The picture sent must outlive the surface, as the game's buffer does.
//
// In full screen the client area the game draws on stays the canvas's size and the surface shows it
// scaled into the middle of the screen, on black: by whole factors pixel for pixel, otherwise smoothed.
class MainPicture : public QWidget {
public:
    explicit MainPicture(QWidget* parent);

    // Sizes the surface, and with it the client area; it starts white, the window background.
    void setCanvasSize(QSize size);
    // The client area becomes the canvas's size, shown scaled in whatever size the surface gets.
    void setFullScreenView();
    QSize clientSize() const { return client_; }
    // Whether the client area shows smoothed: each pixel blended with its neighbours.
    bool smoothed() const { return view_.smooth; }
    // Where the surface shows a rectangle of the client area, and a length on it (a font's pixel size).
    QRect toWindow(const QRect& rect) const;
    int toWindow(int length) const;
    // Shows a rectangle of an off-screen surface on the window, scaled when the sizes differ.
    void blit(const QImage& source, const QRect& from, const QRect& to);
    // Paints what the surface shows in an area of it: its paint event, and the key box for the pixels
    // its frame lets through.
    void paintArea(QPainter& painter, const QRegion& area) const;

    // Raised when the surface is shown or shown anew (after being minimised); the game repaints all of it.
    std::function<void()> onShown;
    // Raised when the client area shows at another place or scale: the controls in front move with it.
    std::function<void()> onViewChanged;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void keepOwnCopy();
    void startWhite(QSize client);
    void paintScaled(QPainter& painter, const QRect& rect, const QImage* picture) const;
    QRectF toWindowF(const QRectF& rect) const;

    const QImage* shown_ = nullptr;  // the picture painted one to one, while there is no copy
    QImage copy_;
    QSize client_;
    bool fullScreen_ = false;
    CanvasView view_;  // where the client area shows on the surface
};

} // namespace zunaka
