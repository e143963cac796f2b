#pragma once

#include "platform/Platform.h"

#include <QRect>

namespace zunaka {

// The game is drawn on a canvas of this size, whatever the window shows it at.
constexpr int kCanvasWidth = 640;
constexpr int kCanvasHeight = 480;
inline const QRect kCanvasRect(0, 0, kCanvasWidth, kCanvasHeight);

// A full-size screen shows the canvas one to one; on a smaller one the window is smaller and the canvas
// is scaled down into it.
constexpr int kFullSizeScreenWidth = 800;
constexpr int kFullSizeScreenHeight = 600;

constexpr bool isFullSizeScreen(ScreenSize screen)
{
    return screen.width >= kFullSizeScreenWidth && screen.height >= kFullSizeScreenHeight;
}

// Whether the window's client area is the canvas's size, so that copies go to it one to one: the window
// of a full-size screen unless it had to shrink to fit, and the full-screen window, which scales that
// client area as a whole.
inline bool showsCanvasOneToOne(const Forms& forms)
{
    return forms.mainScaleWidth() == kCanvasWidth && forms.mainScaleHeight() == kCanvasHeight;
}

} // namespace zunaka
