#pragma once

#include "GameState.h"
#include "platform/Platform.h"

#include <QMargins>
#include <QRect>
#include <QSize>

namespace zunaka {

// The main window's client area under the menu bar for a screen: the canvas one to one on a full-size
// screen; on a smaller one, what a 640 x 480 window keeps inside its frame, caption and menu bar.
QSize mainClientSize(ScreenSize screen);

// The client area `wanted` as far as the window around it, `frame` included, fits into `workArea`: each
// side is cut by what does not fit, and the canvas is scaled onto what is left.
QSize fitClientSize(QSize wanted, ScreenSize workArea, QMargins frame);

// Where a full-screen client area of `area` shows the canvas: centred, scaled by the largest whole factor
// from 2 up that fits, each canvas pixel a crisp block; where none fits, by the largest factor that fits,
// smoothed as a small screen's window is.
struct CanvasView {
    QRect shown;
    bool smooth = false;
    bool operator==(const CanvasView&) const = default;
};
CanvasView fullScreenView(QSize area);

// Fits both windows to the screen: the client area of the screen's class, less what the frame would push
// outside the work area. Called at start-up, before either window is shown, and again by the windows
// when a window manager's frame turns up or changes.
void setWindowSize(Platform& p);

// Lays out the surfaces: `MainPicture` over the whole client area (sized with the window), the hidden
// canvas-sized background and buffer, one mole-sized scratch surface per hole, and the key box centred
// over the canvas. Called once at start-up, after the title window is shown.
void arrangeControls(GameState& s, Platform& p);

} // namespace zunaka
