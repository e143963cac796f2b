#pragma once

#include <QMargins>
#include <QObject>

#include <functional>
#include <initializer_list>

class QWidget;

namespace zunaka {

// Learns the frame a window manager puts around the game's windows. Under X11 the frame comes after the
// window is mapped (the manager reparents it and says so in _NET_FRAME_EXTENTS), and another manager may
// frame it differently later, so the frame is read from the windows' geometry whenever one is shown or
// moved, never assumed. A full-screen window has no frame, and an unframed moment (between full screen and
// the window) says nothing of the frame to come: neither replaces a frame once known.
class FrameWatch : public QObject {
public:
    FrameWatch(std::initializer_list<QWidget*> windows, QObject* parent);

    // Left, top, right and bottom of the frame in logical pixels, none until known.
    QMargins frame() const { return frame_; }

    // Raised after the event that brought a new frame, or when the screen's work area changed.
    std::function<void()> onChanged;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void reportChange();

    QMargins frame_;
};

} // namespace zunaka
